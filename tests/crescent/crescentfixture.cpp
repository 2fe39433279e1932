#include "crescentfixture.h"

#include "engine/modjul.h"
#include "platform/filewriter.h"
#include "support/seriestables.h"

namespace crescenttest {

std::string prefLine(const std::string& min, const std::string& summ, bool english, int smf,
                     int sdf, int smt, int sdt)
{
    return "18,18," + std::to_string(smf) + "," + std::to_string(sdf) + "," + std::to_string(smt) +
           "," + std::to_string(sdt) + ",0,0,0,0,\"" + summ + "\",\"0\",\"1\",\"" + min + "\"," +
           (english ? "#TRUE#" : "#FALSE#") + ",\"1\",\"1\",0,0,1\r\n";
}

void CrescentTest::SetUp()
{
    ProgramFolderTest::SetUp();
    putSeriesFiles();
    putDefaultSettings();
    put("loc.zvd", kMeccaLine);
    put("pref.zvd", prefLine());
    testsupport::loadSeriesTables();
    tdtmode = 0;
    onedaymode = 0;
    summerflag = 0;
    conjjde = 0;
    pi = kPi15;
    oldResponder_ = platform::setMessageResponder([this](const platform::MessageRequest& r) {
        messages.push_back(r);
        return platform::MsgAnswer::Ok;
    });
    oldShower_ = platform::setTextFileShower(
        [this](const platform::TextFileView& v) { shown.push_back(v.file.filename().string()); });
}

void CrescentTest::TearDown()
{
    platform::setMessageResponder(oldResponder_);
    platform::setTextFileShower(oldShower_);
    platform::setFileWriter(nullptr);
    tdtmode = 0;
    onedaymode = 0;
    ProgramFolderTest::TearDown();
}

lunar::OneDayEngines CrescentTest::realEngines()
{
    lunar::OneDayEngines e;
    e.prayerTimes = [this] { prayerEngine.cmdcom_Click(); };
    e.moonTimes = [this] { moonEngine.cmdmoon_Click(); };
    return e;
}

double utJd(int y, int m, int d, int h, int min)
{
    double jd;
    jul(y, m, d, h + min / 60.0, jd);
    return jd;
}

} // namespace crescenttest
