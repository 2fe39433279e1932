#include "seriesloader.h"

#include <optional>
#include <string>

#include "engine/modgeneral.h"
#include "platform/fault.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "settings/records.h"
#include "settings/settingsline.h"

namespace series {

namespace {

using platform::FileFault;
using platform::FileFaultKind;
using settings::SettingsField;

class SeriesFile {
public:
    explicit SeriesFile(const char* name) : name_(name)
    {
        const platform::ReadStatus status = platform::readFileStart(
            platform::programFile(name_), contents_, kSeriesFileBytes, truncated_);
        if (status != platform::ReadStatus::Ok)
            platform::stopProgram(platform::readFault(status, name_));
        reader_.emplace(contents_);
    }

    // Field `field` (1-based) of record `record`, as a number.
    double number(int record, int field)
    {
        SettingsField f;
        const bool read = reader_->next(f);
        // Cut off by the bound: the file runs far beyond the size of its series.
        if (truncated_ && (!read || !reader_->fieldClosed()))
            platform::stopProgram(
                FileFault(FileFaultKind::TooLarge, name_,
                          "It runs beyond " + std::to_string(kSeriesFileBytes >> 10) + " KB.",
                          "يتجاوز حجمه " + std::to_string(kSeriesFileBytes >> 10) + " كيلوبايت."));
        const std::string r = std::to_string(record);
        if (!read)
            platform::stopProgram(FileFault(FileFaultKind::Short, name_,
                                            "It ends in record " + r + ".",
                                            "ينتهي في السجل " + r + "."));
        if (f.kind() != SettingsField::Kind::Number && f.kind() != SettingsField::Kind::Empty)
            platform::stopProgram(settings::malformedField(name_, f, 'n', field, record));
        return f.asNumber();
    }

private:
    // The largest series file is about 110 KB.
    static constexpr size_t kSeriesFileBytes = size_t(512) << 10;

    std::string name_;
    std::string contents_;
    bool truncated_ = false;
    std::optional<settings::SettingsLineReader> reader_;
};

template <size_t Cols>
void loadTable(const char* name, double (*table)[Cols], int rows, bool& loaded)
{
    SeriesFile file(name);
    for (int r = 1; r <= rows; ++r)
        for (size_t k = 1; k < Cols; ++k)
            table[r][k] = file.number(r, static_cast<int>(k));
    loaded = true;
}

} // namespace

void loadTermFull()
{
    loadTable("termfull.zvd", termfull, 2425, seriesLoaded.termfull);
}

void loadTerm()
{
    loadTable("term.zvd", term, 248, seriesLoaded.term);
}

void loadMterm()
{
    loadTable("mterm.zvd", mterm, 183, seriesLoaded.mterm);
}

void loadElp()
{
    SeriesFile file("elp.zvd");
    int record = 0;
    // A main-term section: index, A, a0..a4 into columns 1..6.
    auto mainSection = [&](double(*table)[7], int rows) {
        for (int r = 1; r <= rows; ++r) {
            ++record;
            elpidx[r] = file.number(record, 1);
            for (int k = 1; k <= 6; ++k)
                table[r][k] = file.number(record, k + 1);
        }
    };
    // A Poisson section: index, A, phase, rate into columns 1..3.
    auto poissonSection = [&](double(*table)[4], int rows) {
        for (int r = 1; r <= rows; ++r) {
            ++record;
            elpidx[r] = file.number(record, 1);
            for (int k = 1; k <= 3; ++k)
                table[r][k] = file.number(record, k + 1);
        }
    };
    mainSection(elpv0, 218);
    poissonSection(elpv1, 244);
    poissonSection(elpv2, 154);
    poissonSection(elpv3, 25);
    mainSection(elpu0, 188);
    poissonSection(elpu1, 64);
    poissonSection(elpu2, 64);
    poissonSection(elpu3, 12);
    mainSection(elpr0, 154);
    poissonSection(elpr1, 114);
    poissonSection(elpr2, 68);
    poissonSection(elpr3, 19);
    seriesLoaded.elp = true;
}

} // namespace series
