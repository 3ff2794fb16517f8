// Handle and file streams over POSIX file descriptors. The host's share modes have no
// counterpart in the system, so file streams of this process check them against each other.
#include "host/classes/Streams.h"

#include "host/system/SysUtils.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace host {

HOST_METACLASS(THandleStream, TStream);
HOST_METACLASS(TFileStream, THandleStream);

namespace {
int Fd(THandle H) {
    return H == INVALID_HANDLE_VALUE ? -1 : static_cast<int>(H);
}
} // namespace

// ---- THandleStream ----

THandleStream::THandleStream(THandle AHandle) : FHandle(AHandle) {}
THandleStream::~THandleStream() = default;

LongInt THandleStream::Read(void* Buffer, LongInt Count) {
    if (Count <= 0) return 0;
    auto* p = static_cast<char*>(Buffer);
    LongInt done = 0;
    while (done < Count) {
        ssize_t n = ::read(Fd(FHandle), p + done, static_cast<std::size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<LongInt>(n);
    }
    return done;
}

LongInt THandleStream::Write(const void* Buffer, LongInt Count) {
    if (Count <= 0) return 0;
    auto* p = static_cast<const char*>(Buffer);
    LongInt done = 0;
    while (done < Count) {
        ssize_t n = ::write(Fd(FHandle), p + done, static_cast<std::size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<LongInt>(n);
    }
    return done;
}

LongInt THandleStream::Seek(LongInt Offset, Word Origin) {
    int whence = Origin == soFromBeginning ? SEEK_SET
                 : Origin == soFromCurrent ? SEEK_CUR
                 : Origin == soFromEnd     ? SEEK_END
                                           : -1;
    if (whence < 0) return -1;
    off_t r = ::lseek(Fd(FHandle), static_cast<off_t>(Offset), whence);
    // Positions beyond what a LongInt holds cannot be reported; treat them as a failure.
    if (r < 0 || r > std::numeric_limits<LongInt>::max()) return -1;
    return static_cast<LongInt>(r);
}

void THandleStream::SetSize(LongInt NewSize) {
    Seek(NewSize, soFromBeginning);
    if (NewSize < 0 || ::ftruncate(Fd(FHandle), static_cast<off_t>(NewSize)) != 0)
        throw EWriteError("Stream write error");
}

// ---- share modes among this process's file streams ----

struct detail::FileShare {
    dev_t Device;
    ino_t Inode;
    unsigned Access;  // bit 0 read, bit 1 write
    unsigned Allowed; // what other streams may do, same bits
};

namespace {
constexpr unsigned AccRead = 1, AccWrite = 2;

std::mutex& ShareLock() {
    static std::mutex* m = new std::mutex; // outlives streams freed during static teardown
    return *m;
}

std::vector<detail::FileShare*>& OpenFiles() {
    static auto* v = new std::vector<detail::FileShare*>;
    return *v;
}

bool AccessAndShare(Word Mode, unsigned& Access, unsigned& Allowed) {
    switch (Mode & 0x000F) {
    case fmOpenRead: Access = AccRead; break;
    case fmOpenWrite: Access = AccWrite; break;
    case fmOpenReadWrite: Access = AccRead | AccWrite; break;
    default: return false;
    }
    switch (Mode & 0x00F0) {
    case fmShareCompat:
    case fmShareDenyNone: Allowed = AccRead | AccWrite; break;
    case fmShareExclusive: Allowed = 0; break;
    case fmShareDenyWrite: Allowed = AccRead; break;
    case fmShareDenyRead: Allowed = AccWrite; break;
    default: return false;
    }
    return (Mode & 0xFF00) == 0;
}
} // namespace

TFileStream::TFileStream(const AnsiString& FileName, Word Mode)
    : THandleStream(INVALID_HANDLE_VALUE) {
    const bool create = Mode == fmCreate;
    auto fail = [&]() {
        if (create) RaiseFmt<EFCreateError>("Cannot create file %s", {FileName});
        RaiseFmt<EFOpenError>("Cannot open file %s", {FileName});
    };
    unsigned access = AccRead | AccWrite, allowed = 0; // fmCreate: read/write, exclusive
    if (!create && !AccessAndShare(Mode, access, allowed)) fail();
    if (FileName.empty() || FileName.find('\0') != AnsiString::npos) fail();

    std::lock_guard guard(ShareLock());
    int flags = O_CLOEXEC | (access == AccRead ? O_RDONLY : access == AccWrite ? O_WRONLY : O_RDWR);
    if (create) flags |= O_CREAT;
    int fd;
    do fd = ::open(FileName.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) fail();
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        fail();
    }
    for (const detail::FileShare* e : OpenFiles()) {
        if (e->Device != st.st_dev || e->Inode != st.st_ino) continue;
        if ((access & ~e->Allowed) || (e->Access & ~allowed)) {
            ::close(fd);
            fail();
        }
    }
    // Truncate only once no other stream's share mode forbids it, so a refusal loses nothing.
    if (create && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        fail();
    }
    fShare = new detail::FileShare{st.st_dev, st.st_ino, access, allowed};
    OpenFiles().push_back(fShare);
    FHandle = static_cast<THandle>(fd);
}

TFileStream::~TFileStream() {
    if (fShare) {
        std::lock_guard guard(ShareLock());
        auto& files = OpenFiles();
        std::erase(files, fShare);
        delete fShare;
    }
    if (Fd(FHandle) >= 0) ::close(Fd(FHandle));
}

} // namespace host
