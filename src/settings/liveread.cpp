#include "liveread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/eventloop.h"
#include "platform/programfolder.h"

namespace settings {

namespace {

struct Stamp {
    dev_t dev = 0;
    ino_t ino = 0;
    timespec mtim{};
    timespec ctim{};
    off_t size = -1;

    bool operator==(const Stamp& o) const
    {
        return dev == o.dev && ino == o.ino && mtim.tv_sec == o.mtim.tv_sec &&
               mtim.tv_nsec == o.mtim.tv_nsec && ctim.tv_sec == o.ctim.tv_sec &&
               ctim.tv_nsec == o.ctim.tv_nsec && size == o.size;
    }
};

// The file's stamps, looked up by its bare name in the already opened program
// folder: one path component to walk instead of the whole path, once a day of
// a report run (at each hand-over).
bool stampOf(int folder, const char* name, Stamp& stamp)
{
    struct stat st {};
    if (::fstatat(folder, name, &st, 0) != 0)
        return false;
    stamp.dev = st.st_dev;
    stamp.ino = st.st_ino;
    stamp.mtim = st.st_mtim;
    stamp.ctim = st.st_ctim;
    stamp.size = st.st_size;
    return true;
}

template <class Record> struct LiveRecord {
    Stamp stamp;
    bool valid = false;
    Record record;
    unsigned long checkedAt = 0; // platform::fileChangeCount() at the last look
    int folder = -1;
    unsigned folderGeneration = ~0u;

    template <class Read> const Record& get(const char* name, Read read)
    {
        // The path is built again only when the program folder moved; a new
        // folder also means a new file.
        if (folderGeneration != platform::programFolderGeneration()) {
            if (folder >= 0)
                ::close(folder);
            folder = ::open(platform::programFolder().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            folderGeneration = platform::programFolderGeneration();
            valid = false;
        }
        // Nothing can have saved the file since the last look: the look-up
        // of its stamps, a system call, is the greater part of a call's cost.
        if (valid && checkedAt == platform::fileChangeCount())
            return record;
        Stamp now;
        if (folder < 0 || !stampOf(folder, name, now)) {
            valid = false;
            record = read(); // stops the program with the missing file's message
            return record;
        }
        if (!valid || !(now == stamp)) {
            valid = false;
            record = read();
            stamp = now;
            valid = true;
        }
        checkedAt = platform::fileChangeCount();
        return record;
    }
};

} // namespace

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

} // namespace settings
