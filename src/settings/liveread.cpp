#include "liveread.h"

#include <sys/stat.h>

#include "platform/programfolder.h"

namespace settings {

namespace {

struct Stamp {
    dev_t dev = 0;
    ino_t ino = 0;
    timespec mtim{};
    timespec ctim{};
    off_t size = -1;
    std::string path;

    bool operator==(const Stamp& o) const
    {
        return dev == o.dev && ino == o.ino && mtim.tv_sec == o.mtim.tv_sec &&
               mtim.tv_nsec == o.mtim.tv_nsec && ctim.tv_sec == o.ctim.tv_sec &&
               ctim.tv_nsec == o.ctim.tv_nsec && size == o.size && path == o.path;
    }
};

bool stampOf(const std::string& path, Stamp& stamp)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    stamp.dev = st.st_dev;
    stamp.ino = st.st_ino;
    stamp.mtim = st.st_mtim;
    stamp.ctim = st.st_ctim;
    stamp.size = st.st_size;
    stamp.path = path;
    return true;
}

template <class Record>
struct LiveRecord {
    Stamp stamp;
    bool valid = false;
    Record record;

    template <class Read>
    const Record& get(const char* name, Read read)
    {
        Stamp now;
        if (!stampOf(platform::programFile(name).string(), now)) {
            valid = false;
            record = read();   // stops the program with the missing file's message
            return record;
        }
        if (!valid || !(now == stamp)) {
            valid = false;
            record = read();
            stamp = now;
            valid = true;
        }
        return record;
    }
};

}  // namespace

const CurrentLocation& liveCurrentLocation()
{
    static LiveRecord<CurrentLocation> live;
    return live.get("loc.zvd", [] { return readCurrentLocation(); });
}

const Preferences& livePreferences()
{
    static LiveRecord<Preferences> live;
    return live.get("pref.zvd", [] { return readPreferences(); });
}

}  // namespace settings
