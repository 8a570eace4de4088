#pragma once

// Faults a test makes for its own process, for root too: a folder it may not
// write, and a full disk.

#include <QFile>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// Makes a folder unwritable for this process: root drops to "nobody" while
// the folder stays root's.
struct UnwritableFolder
{
    explicit UnwritableFolder(const QString &folder) : folder(QFile::encodeName(folder))
    {
        ::chmod(this->folder.constData(), 0555);
        wasRoot = geteuid() == 0 && seteuid(65534) == 0;
    }
    ~UnwritableFolder()
    {
        if (wasRoot && seteuid(0) != 0)
            qFatal("could not return to root");
        ::chmod(folder.constData(), 0700);
    }
    QByteArray folder;
    bool wasRoot = false;
};

// A full disk, as far as this process can tell: writes past the given size
// fail, and SIGXFSZ does not end the test.
struct FileSizeLimit
{
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
    bool ok = false;
};
