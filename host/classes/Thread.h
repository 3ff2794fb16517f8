// TThread: a host thread object over a real system thread, Synchronize with the main thread
// and the queue the main loop drains with CheckSynchronize.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/Closure.h"

#include <atomic>

namespace host {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
HOST_ENUM_INFO(TThreadPriority, tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest,
               tpTimeCritical)

using TThreadMethod = Closure<void()>;

/// The identifier of the calling thread (unique per thread, never reused in a process).
LongWord GetCurrentThreadId();
/// The identifier of the thread that started the program.
extern const LongWord MainThreadID;

/// Runs the methods that threads queued with Synchronize, and their OnTerminate handlers, on
/// the main thread. With a Timeout (milliseconds) it first waits that long for work to arrive.
/// Returns whether anything ran. Raises EThread when called from another thread.
bool CheckSynchronize(Integer Timeout = 0);
/// Called (from the synchronizing thread) whenever a method is queued for the main thread, so
/// that a main loop that sleeps can wake up and call CheckSynchronize.
extern TNotifyEvent WakeMainThread;

namespace detail {
struct ThreadState;
}

/// A thread of execution. Descendants override Execute.
///
/// Suspension on this platform: the system cannot freeze another thread at an arbitrary
/// instruction, so a suspended thread stops at the next point where it consults its own state:
/// before Execute starts (a thread created suspended runs nothing until Resume), whenever it
/// reads Terminated, and when it calls Synchronize or Suspend itself. Suspend and Resume nest
/// like the host's: each Suspend needs one Resume.
///
/// A thread created running starts once its object is fully constructed: in C++ that is marked
/// by AfterConstruction (called by the virtual constructors and `TThread::Create<T>`), or at the
/// latest by the first call of Resume, Suspend, Terminate, WaitFor or Free from outside.
/// Free (rather than delete) a running thread, so that it is terminated and awaited while its
/// descendant's members still exist.
class TThread : public TObject {
    HOST_CLASS(TThread, TObject)
public:
    explicit TThread(bool CreateSuspended);
    ~TThread() override;

    /// Constructs a `T` and marks its construction complete, as the host's constructor call.
    template <class T, class... A>
    static T* Create(A&&... Args) {
        T* t = new T(static_cast<A&&>(Args)...);
        t->AfterConstruction();
        return t;
    }

    void AfterConstruction() override;
    /// Terminates a running thread and waits for it (releasing it from a suspension first).
    void BeforeDestruction() override;

    void Resume();
    void Suspend();
    /// Asks the thread to stop: sets Terminated, which Execute is expected to check.
    void Terminate();
    /// Waits until the thread has ended (running synchronized methods meanwhile when called on
    /// the main thread) and returns its ReturnValue. Raises EThread from the thread itself.
    LongWord WaitFor();

    bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
    THandle GetHandle() const;
    LongWord GetThreadID() const;
    TThreadPriority GetPriority() const;
    void SetPriority(TThreadPriority Value);
    bool GetSuspended() const;
    void SetSuspended(bool Value);
    TNotifyEvent GetOnTerminate() const { return FOnTerminate; }
    void SetOnTerminate(TNotifyEvent Value) { FOnTerminate = Value; }
    /// The exception that ended Execute, or null. It belongs to the thread object.
    TObject* GetFatalException() const;

protected:
    virtual void Execute() = 0;
    /// Calls OnTerminate on the main thread, after Execute has returned.
    virtual void DoTerminate();
    /// Runs `Method` on the main thread and waits for it; an exception it raises is raised again
    /// here. Called on the main thread, it just runs `Method`.
    void Synchronize(TThreadMethod Method);

    /// True once Terminate was called. Read from the thread itself, it is also the point where
    /// a suspended thread stops until resumed.
    bool GetTerminated();
    Integer GetReturnValue() const { return FReturnValue; }
    void SetReturnValue(Integer Value) { FReturnValue = Value; }

    Integer FReturnValue = 0;
    bool FFreeOnTerminate = false;
    std::atomic<bool> FTerminated{false};
    TNotifyEvent FOnTerminate;

private:
    friend struct detail::ThreadState;
    void Run();
    void EnsureStarted();
    void CallOnTerminate();
    void Pause();
    void StopAndWait();
    void WaitForExit();

    detail::ThreadState* fState;
};

} // namespace host
