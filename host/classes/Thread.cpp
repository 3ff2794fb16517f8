// TThread over std::thread, and the main thread's queue of synchronized calls.
#include "host/classes/Thread.h"

#include "host/system/Exceptions.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace host {

HOST_METACLASS(TThread, TObject);

// ---- thread identities ----

namespace {
std::atomic<LongWord> NextThreadId{1};
std::atomic<LongWord> NextHandle{0x100};
thread_local LongWord CurrentThreadId = 0;

AnsiString Hex(LongWord V) {
    static const char digits[] = "0123456789ABCDEF";
    AnsiString s;
    do {
        s.insert(s.begin(), digits[V & 15]);
        V >>= 4;
    } while (V);
    return s;
}
} // namespace

LongWord GetCurrentThreadId() {
    if (CurrentThreadId == 0) CurrentThreadId = NextThreadId.fetch_add(1);
    return CurrentThreadId;
}

// Static initialisation runs on the thread that starts the program.
extern const LongWord MainThreadID = GetCurrentThreadId();

TNotifyEvent WakeMainThread;

// ---- the main thread's queue ----

namespace {
struct SyncRequest {
    TThreadMethod Method;
    bool Done = false;
    std::exception_ptr Error;
};

struct SyncQueue {
    std::mutex Lock;
    std::condition_variable Changed; // a request was queued or completed
    std::deque<SyncRequest*> Pending;
};

SyncQueue& TheQueue() {
    static auto* q = new SyncQueue; // threads may still synchronize during static teardown
    return *q;
}
} // namespace

bool CheckSynchronize(Integer Timeout) {
    LongWord me = GetCurrentThreadId();
    if (me != MainThreadID)
        throw EThread("CheckSynchronize called from thread $" + Hex(me) +
                      ", which is NOT the main thread");
    SyncQueue& q = TheQueue();
    std::unique_lock lock(q.Lock);
    if (Timeout > 0)
        q.Changed.wait_for(lock, std::chrono::milliseconds(Timeout),
                           [&] { return !q.Pending.empty(); });
    bool ran = false;
    while (!q.Pending.empty()) {
        SyncRequest* r = q.Pending.front();
        q.Pending.pop_front();
        lock.unlock();
        try {
            r->Method();
        } catch (...) {
            r->Error = std::current_exception();
        }
        lock.lock();
        r->Done = true;
        ran = true;
        q.Changed.notify_all();
    }
    return ran;
}

// ---- TThread ----

namespace detail {
struct ThreadState {
    std::mutex Lock;
    std::condition_variable Changed;
    std::thread Thread;
    LongWord ThreadID = 0;
    THandle Handle = 0;
    TThreadPriority Priority = tpNormal;
    int SuspendCount = 0;
    bool PendingStart = false; // created running, construction not yet marked complete
    bool Releasing = false;    // being destroyed: no suspension holds the thread any more
    bool Exited = false;
    std::exception_ptr Fatal;

    bool MayRun() const { return Releasing || (!PendingStart && SuspendCount == 0); }
};
} // namespace detail

TThread::TThread(bool CreateSuspended) : fState(new detail::ThreadState) {
    fState->ThreadID = NextThreadId.fetch_add(1);
    fState->Handle = NextHandle.fetch_add(1);
    fState->PendingStart = !CreateSuspended;
    fState->SuspendCount = CreateSuspended ? 1 : 0;
    try {
        fState->Thread = std::thread([this] { Run(); });
    } catch (const std::system_error& e) {
        delete fState;
        throw EThread(AnsiString("Thread creation error: ") + e.what());
    }
}

void TThread::Run() {
    detail::ThreadState& s = *fState;
    CurrentThreadId = s.ThreadID;
    bool skipped;
    {
        std::unique_lock lock(s.Lock);
        s.Changed.wait(lock, [&] { return s.MayRun(); });
        skipped = s.Releasing && (s.PendingStart || s.SuspendCount > 0);
    }
    bool freeIt = false;
    if (!skipped) { // a thread freed before it ever ran runs nothing
        std::exception_ptr fatal;
        try {
            Execute();
        } catch (...) {
            fatal = std::current_exception();
        }
        {
            std::lock_guard lock(s.Lock);
            s.Fatal = fatal;
        }
        try {
            DoTerminate();
        } catch (...) {
            std::lock_guard lock(s.Lock);
            if (!s.Fatal) s.Fatal = std::current_exception();
        }
        std::lock_guard lock(s.Lock);
        freeIt = FFreeOnTerminate && !s.Releasing;
    }
    {
        std::lock_guard lock(s.Lock);
        s.Exited = true;
        s.Changed.notify_all();
    }
    if (freeIt) Free();
}

TThread::~TThread() {
    if (fState->Thread.get_id() == std::this_thread::get_id()) {
        fState->Thread.detach(); // freed by itself on termination
    } else {
        StopAndWait();
        if (fState->Thread.joinable()) fState->Thread.join();
    }
    delete fState;
}

void TThread::AfterConstruction() {
    std::lock_guard lock(fState->Lock);
    if (fState->PendingStart) {
        fState->PendingStart = false;
        fState->Changed.notify_all();
    }
}

void TThread::EnsureStarted() {
    AfterConstruction();
}

void TThread::BeforeDestruction() {
    if (std::this_thread::get_id() != fState->Thread.get_id()) StopAndWait();
}

void TThread::StopAndWait() {
    {
        std::lock_guard lock(fState->Lock);
        if (fState->Exited) return;
        fState->Releasing = true;
        FTerminated = true;
        fState->Changed.notify_all();
    }
    WaitForExit();
}

void TThread::Resume() {
    EnsureStarted();
    std::lock_guard lock(fState->Lock);
    if (fState->SuspendCount > 0 && --fState->SuspendCount == 0) fState->Changed.notify_all();
}

void TThread::Suspend() {
    EnsureStarted();
    {
        std::lock_guard lock(fState->Lock);
        ++fState->SuspendCount;
    }
    if (GetCurrentThreadId() == fState->ThreadID) Pause();
}

void TThread::Pause() {
    std::unique_lock lock(fState->Lock);
    fState->Changed.wait(lock, [&] { return fState->MayRun(); });
}

void TThread::SetSuspended(bool Value) {
    if (Value != GetSuspended()) {
        if (Value)
            Suspend();
        else
            Resume();
    }
}

bool TThread::GetSuspended() const {
    std::lock_guard lock(fState->Lock);
    return fState->SuspendCount > 0;
}

void TThread::Terminate() {
    EnsureStarted();
    FTerminated = true;
}

bool TThread::GetTerminated() {
    if (GetCurrentThreadId() == fState->ThreadID) Pause();
    return FTerminated;
}

LongWord TThread::WaitFor() {
    if (GetCurrentThreadId() == fState->ThreadID)
        throw EThread("A thread cannot wait for itself to terminate");
    EnsureStarted();
    WaitForExit();
    return static_cast<LongWord>(FReturnValue);
}

void TThread::WaitForExit() {
    const bool onMain = GetCurrentThreadId() == MainThreadID;
    std::unique_lock lock(fState->Lock);
    while (!fState->Exited) {
        if (onMain) {
            // The thread may be waiting for us to run its synchronized calls.
            lock.unlock();
            CheckSynchronize();
            lock.lock();
            fState->Changed.wait_for(lock, std::chrono::milliseconds(2),
                                     [&] { return fState->Exited; });
        } else {
            fState->Changed.wait(lock, [&] { return fState->Exited; });
        }
    }
}

THandle TThread::GetHandle() const {
    return fState->Handle;
}
LongWord TThread::GetThreadID() const {
    return fState->ThreadID;
}

TThreadPriority TThread::GetPriority() const {
    std::lock_guard lock(fState->Lock);
    return fState->Priority;
}

void TThread::SetPriority(TThreadPriority Value) {
    std::lock_guard lock(fState->Lock);
    fState->Priority = Value;
}

TObject* TThread::GetFatalException() const {
    std::exception_ptr e;
    {
        std::lock_guard lock(fState->Lock);
        e = fState->Fatal;
    }
    if (!e) return nullptr;
    try {
        std::rethrow_exception(e);
    } catch (TObject& o) {
        return &o; // the object held by the stored exception, alive as long as the thread
    } catch (...) {
        return nullptr;
    }
}

void TThread::DoTerminate() {
    if (FOnTerminate) Synchronize(TThreadMethod::Bind<&TThread::CallOnTerminate>(this));
}

void TThread::CallOnTerminate() {
    if (FOnTerminate) FOnTerminate(this);
}

void TThread::Synchronize(TThreadMethod Method) {
    if (GetCurrentThreadId() == MainThreadID) {
        Method();
        return;
    }
    if (GetCurrentThreadId() == fState->ThreadID) Pause();
    SyncRequest request;
    request.Method = Method;
    SyncQueue& q = TheQueue();
    {
        std::lock_guard lock(q.Lock);
        q.Pending.push_back(&request);
        q.Changed.notify_all();
    }
    if (WakeMainThread) WakeMainThread(this);
    {
        // Wakes a main thread that is waiting for this thread in WaitFor.
        std::lock_guard lock(fState->Lock);
        fState->Changed.notify_all();
    }
    std::unique_lock lock(q.Lock);
    q.Changed.wait(lock, [&] { return request.Done; });
    if (request.Error) std::rethrow_exception(request.Error);
}

} // namespace host
