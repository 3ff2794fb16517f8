#include "host/classes/Thread.h"
#include "host/system/Exceptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

using namespace host;
using namespace std::chrono_literals;

namespace {
/// Polls `done` (running synchronized calls meanwhile) for at most two seconds.
template <class F>
bool Eventually(F done) {
    auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        CheckSynchronize(5);
    }
    return true;
}

class TWorker : public TThread {
    HOST_CLASS(TWorker, TThread)
public:
    using TThread::TThread;
    std::atomic<int> Steps{0};
    std::atomic<LongWord> RanOn{0};
    std::atomic<LongWord> SyncRanOn{0};
    Integer Result = 0;
    bool Loop = false;
    bool SyncOnce = false;
    bool Throw = false;
    bool ThrowInSync = false;

    using TThread::GetTerminated;

protected:
    void Execute() override {
        RanOn = GetCurrentThreadId();
        if (SyncOnce) Synchronize(TThreadMethod::Bind<&TWorker::OnMain>(this));
        if (Throw) throw EAbort("worker failed");
        while (Loop && !GetTerminated()) {
            ++Steps;
            std::this_thread::sleep_for(1ms);
        }
        FReturnValue = Result;
    }
    void OnMain() {
        SyncRanOn = GetCurrentThreadId();
        if (ThrowInSync) throw EConvertError("bad value");
    }
};
HOST_METACLASS(TWorker, TThread);

struct TerminateListener {
    int Calls = 0;
    LongWord CalledOn = 0;
    TObject* Sender = nullptr;
    void OnTerminate(TObject* S) {
        ++Calls;
        CalledOn = GetCurrentThreadId();
        Sender = S;
    }
};
} // namespace

TEST(Thread, SuspendedThreadRunsOnlyAfterResumeAndWaitForReturnsReturnValue) {
    TWorker* t = TThread::Create<TWorker>(true);
    t->Result = -2;
    EXPECT_TRUE(t->GetSuspended());
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(t->RanOn, 0u);
    t->Resume();
    EXPECT_FALSE(t->GetSuspended());
    EXPECT_EQ(t->WaitFor(), 0xFFFFFFFEu);
    EXPECT_EQ(t->RanOn, t->GetThreadID());
    EXPECT_NE(t->GetThreadID(), MainThreadID);
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID);
    t->Free();
}

TEST(Thread, IdentitiesArePerThreadAndPriorityIsKept) {
    TWorker* a = TThread::Create<TWorker>(true);
    TWorker* b = TThread::Create<TWorker>(true);
    EXPECT_NE(a->GetThreadID(), b->GetThreadID());
    EXPECT_NE(a->GetHandle(), b->GetHandle());
    EXPECT_EQ(a->GetPriority(), tpNormal);
    a->SetPriority(tpTimeCritical);
    EXPECT_EQ(a->GetPriority(), tpTimeCritical);
    // Freeing threads that never ran neither runs them nor hangs.
    a->Free();
    b->Free();
}

TEST(Thread, SynchronizeAndOnTerminateRunOnTheMainThread) {
    TerminateListener listener;
    TWorker* t = TThread::Create<TWorker>(true);
    t->SyncOnce = true;
    t->SetOnTerminate(TNotifyEvent::Bind<&TerminateListener::OnTerminate>(&listener));
    t->Resume();
    // Nothing runs on the main thread until it asks for it.
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(t->SyncRanOn, 0u);
    ASSERT_TRUE(Eventually([&] { return listener.Calls == 1; }));
    EXPECT_EQ(t->SyncRanOn, MainThreadID);
    EXPECT_EQ(listener.CalledOn, MainThreadID);
    EXPECT_EQ(listener.Sender, t);
    t->WaitFor();
    t->Free();
    EXPECT_EQ(listener.Calls, 1);
}

TEST(Thread, WaitForOnTheMainThreadServesSynchronize) {
    TerminateListener listener;
    TWorker* t = TThread::Create<TWorker>(true);
    t->SyncOnce = true;
    t->Result = 7;
    t->SetOnTerminate(TNotifyEvent::Bind<&TerminateListener::OnTerminate>(&listener));
    t->Resume();
    EXPECT_EQ(t->WaitFor(), 7u); // would deadlock if WaitFor did not run the queued calls
    EXPECT_EQ(listener.Calls, 1);
    t->Free();
}

TEST(Thread, ARunningThreadPausesAtItsNextCheckAndResumes) {
    TWorker* t = TThread::Create<TWorker>(true);
    t->Loop = true;
    t->Resume();
    ASSERT_TRUE(Eventually([&] { return t->Steps > 2; }));
    t->Suspend();
    EXPECT_TRUE(t->GetSuspended());
    std::this_thread::sleep_for(20ms); // at most one more step after Suspend
    int paused = t->Steps;
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(t->Steps, paused);
    t->SetSuspended(false);
    ASSERT_TRUE(Eventually([&] { return t->Steps > paused + 2; }));
    // Suspensions nest.
    t->Suspend();
    t->Suspend();
    t->Resume();
    EXPECT_TRUE(t->GetSuspended());
    t->Resume();
    EXPECT_FALSE(t->GetSuspended());
    t->Terminate();
    EXPECT_EQ(t->WaitFor(), 0u);
    t->Free();
}

TEST(Thread, FreeTerminatesAndAwaitsEvenASuspendedRunningThread) {
    TWorker* t = TThread::Create<TWorker>(true);
    t->Loop = true;
    t->Resume();
    ASSERT_TRUE(Eventually([&] { return t->Steps > 0; }));
    t->Suspend();
    std::uint64_t id = t->ObjectId();
    TObject* addr = t;
    t->Free(); // releases the suspension, sets Terminated and waits
    EXPECT_FALSE(LiveObjects::IsAlive(addr, id));
}

TEST(Thread, FreeOnTerminateFreesTheThreadAfterOnTerminate) {
    TerminateListener listener;
    TWorker* t = TThread::Create<TWorker>(true);
    t->SetFreeOnTerminate(true);
    t->SetOnTerminate(TNotifyEvent::Bind<&TerminateListener::OnTerminate>(&listener));
    std::uint64_t id = t->ObjectId();
    TObject* addr = t;
    t->Resume();
    ASSERT_TRUE(Eventually([&] { return !LiveObjects::IsAlive(addr, id); }));
    EXPECT_EQ(listener.Calls, 1);
}

TEST(Thread, ExceptionsEndTheThreadWithoutCrashing) {
    TWorker* t = TThread::Create<TWorker>(true);
    t->Throw = true;
    t->Result = 5;
    t->Resume();
    t->WaitFor();
    auto* e = dynamic_cast<EAbort*>(t->GetFatalException());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Message(), "worker failed");
    t->Free();

    // An exception in a synchronized method reaches the thread that asked for it.
    TWorker* s = TThread::Create<TWorker>(true);
    s->SyncOnce = true;
    s->ThrowInSync = true;
    s->Resume();
    s->WaitFor();
    EXPECT_EQ(s->SyncRanOn, MainThreadID);
    ASSERT_NE(dynamic_cast<EConvertError*>(s->GetFatalException()), nullptr);
    s->Free();
}

TEST(Thread, MisuseRaisesEThread) {
    std::string msg;
    std::thread other([&] {
        try {
            CheckSynchronize();
        } catch (const EThread& e) {
            msg = e.Message();
        }
    });
    other.join();
    EXPECT_NE(msg.find("CheckSynchronize called from thread $"), std::string::npos);
    EXPECT_NE(msg.find(", which is NOT the main thread"), std::string::npos);

    class TSelfWaiter : public TThread {
    public:
        using TThread::TThread;
        bool Raised = false;

    protected:
        void Execute() override {
            try {
                WaitFor();
            } catch (const EThread&) {
                Raised = true;
            }
        }
    };
    auto* w = TThread::Create<TSelfWaiter>(false);
    w->WaitFor();
    EXPECT_TRUE(w->Raised);
    w->Free();
}

TEST(Thread, ARunningThreadCreatedWithNewStartsWhenFirstUsed) {
    auto* t = new TWorker(false);
    t->Result = 3;
    EXPECT_EQ(t->WaitFor(), 3u);
    t->Free();
}
