#include "phasefixture.h"

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "platform/programfolder.h"
#include "support/seriestables.h"

namespace phasetest {

settings::CurrentLocation mecca()
{
    settings::CurrentLocation l;
    l.locname = "Mecca";
    l.longid = 39, l.longim = 49, l.longis = 34;
    l.latid = 21, l.latim = 25, l.latis = 21;
    l.ele = 277;
    l.zon = 3;
    l.east = true, l.north = true;
    l.pres = 1010, l.temp = 10, l.hum = 0;
    l.alpha = "0.0065";
    return l;
}

settings::CurrentLocation madrid()
{
    settings::CurrentLocation l = mecca();
    l.locname = "Madrid";
    l.longid = 3, l.longim = 42, l.longis = 12.5;
    l.latid = 40, l.latim = 25, l.latis = 0;
    l.ele = 667;
    l.zon = 1;
    l.east = false, l.west = true;
    return l;
}

double jd(int year, int month, int day, double hours)
{
    double v;
    jul(year, month, day, hours, v);
    return v;
}

void PhaseTest::SetUpTestSuite()
{
    testsupport::loadSeriesTables();
}

void PhaseTest::SetUp()
{
    ProgramFolderTest::SetUp();
    putDefaultSettings();
    pref = settings::readPreferences();
    loc = mecca();
    save();
    tdtmode = 0;
}

void PhaseTest::TearDown()
{
    tdtmode = 0;
    cancelflag = 0;
    ProgramFolderTest::TearDown();
}

void PhaseTest::save()
{
    ASSERT_TRUE(settings::writePreferences(pref));
    ASSERT_TRUE(settings::writeCurrentLocation(loc));
}

} // namespace phasetest
