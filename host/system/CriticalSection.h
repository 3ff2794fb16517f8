// Critical sections: recursive locks that a thread may enter again, as the platform's.
#pragma once

#include <mutex>

namespace host {

struct TRTLCriticalSection {
    std::recursive_mutex Mutex;
};
using PRTLCriticalSection = TRTLCriticalSection*;

inline void EnterCriticalSection(TRTLCriticalSection& S) {
    S.Mutex.lock();
}
inline bool TryEnterCriticalSection(TRTLCriticalSection& S) {
    return S.Mutex.try_lock();
}
inline void LeaveCriticalSection(TRTLCriticalSection& S) {
    S.Mutex.unlock();
}

} // namespace host
