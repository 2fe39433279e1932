// Writes the four series files of the program folder (termfull.zvd, term.zvd,
// mterm.zvd, elp.zvd) from the published series kept in data/series as CSV.
// Numbers are copied digit for digit; term.zvd's amplitudes are rescaled by
// moving the decimal point, so no digit is lost to floating point.
//
// usage: genseries <folder of the CSV files> <output folder>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::string>;

std::vector<Row> readCsv(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        std::cerr << "genseries: cannot read " << path << "\n";
        std::exit(1);
    }
    std::vector<Row> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        Row row;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ','))
            row.push_back(cell);
        if (!line.empty() && line.back() == ',')
            row.push_back("");
        rows.push_back(row);
    }
    return rows;
}

// The decimal text `value` multiplied by 10^shift, as decimal text.
std::string shiftDecimal(const std::string& value, int shift)
{
    std::string sign;
    std::string v = value;
    if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
        if (v[0] == '-')
            sign = "-";
        v.erase(0, 1);
    }
    size_t point = v.find('.');
    std::string digits = v;
    if (point == std::string::npos) {
        point = v.size();
    } else {
        digits.erase(point, 1);
    }
    long newPoint = static_cast<long>(point) + shift;
    while (newPoint > static_cast<long>(digits.size()))
        digits += '0';
    while (newPoint <= 0) {
        digits.insert(digits.begin(), '0');
        ++newPoint;
    }
    std::string intPart = digits.substr(0, static_cast<size_t>(newPoint));
    std::string frac = digits.substr(static_cast<size_t>(newPoint));
    while (intPart.size() > 1 && intPart[0] == '0')
        intPart.erase(0, 1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    std::string out = intPart + (frac.empty() ? "" : "." + frac);
    if (out == "0")
        return out;
    return sign + out;
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
    if (!out) {
        std::cerr << "genseries: cannot write " << path << "\n";
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: genseries <csv folder> <output folder>\n";
        return 2;
    }
    const std::string in = argv[1];
    const std::string out = argv[2];
    const char* crlf = "\r\n";

    // termfull.zvd: the complete series, A,B,C.
    const auto vsop = readCsv(in + "/vsop87d-earth.csv");
    std::string full;
    for (const Row& r : vsop)
        full += r[2] + "," + r[3] + "," + r[4] + crlf;
    writeFile(out + "/termfull.zvd", full);

    // term.zvd: the leading (largest) terms of each series, A in scaled units.
    struct Cut {
        const char* series;
        int count;
        int shift; // power of ten of the stored unit
    };
    const Cut cuts[] = {{"L0", 78, 8}, {"L1", 39, 9}, {"L2", 27, 9}, {"L3", 8, 11}, {"L4", 4, 11},
                        {"L5", 4, 11}, {"B0", 7, 8},  {"B1", 3, 9},  {"R0", 50, 8}, {"R1", 14, 9},
                        {"R2", 8, 9},  {"R3", 2, 11}, {"R4", 4, 11}};
    std::string trunc;
    int index = 0;
    for (const Cut& c : cuts) {
        int taken = 0;
        for (const Row& r : vsop) {
            if (r[0] != c.series || taken == c.count)
                continue;
            ++taken;
            trunc += std::to_string(++index) + "," + shiftDecimal(r[2], c.shift) + "," + r[3] +
                     "," + r[4] + crlf;
        }
        if (taken != c.count) {
            std::cerr << "genseries: series " << c.series << " is too short\n";
            return 1;
        }
    }
    writeFile(out + "/term.zvd", trunc);

    // mterm.zvd: nutation (rows 1-63), Moon longitude and distance (64-123),
    // Moon latitude (124-183); every row carries ten fields.
    std::string mt;
    index = 0;
    auto addRow = [&](const Row& r) {
        std::string line = std::to_string(++index);
        for (size_t k = 0; k < 9; ++k)
            line += "," + (k < r.size() && !r[k].empty() ? r[k] : std::string("0"));
        mt += line + crlf;
    };
    for (const Row& r : readCsv(in + "/nutation-meeus-22a.csv"))
        addRow(r);
    for (const Row& r : readCsv(in + "/moon-meeus-47a.csv"))
        addRow(r);
    for (const Row& r : readCsv(in + "/moon-meeus-47b.csv"))
        addRow(r);
    if (index != 183) {
        std::cerr << "genseries: mterm has " << index << " rows, not 183\n";
        return 1;
    }
    writeFile(out + "/mterm.zvd", mt);

    // elp.zvd: twelve sections, main terms index,A,a0..a4, Poisson terms
    // index,A,phase,rate.
    std::string elp;
    int count = 0;
    for (const Row& r : readCsv(in + "/elp2000-85-truncated.csv")) {
        const int section = std::stoi(r[0]);
        const bool mainTerm = section == 1 || section == 5 || section == 9;
        std::string line = r[1] + "," + r[2] + "," + r[3] + "," + r[4];
        if (mainTerm)
            line += "," + r[5] + "," + r[6] + "," + r[7];
        elp += line + crlf;
        ++count;
    }
    if (count != 1324) {
        std::cerr << "genseries: elp has " << count << " terms, not 1324\n";
        return 1;
    }
    writeFile(out + "/elp.zvd", elp);
    return 0;
}
