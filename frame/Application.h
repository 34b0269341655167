#pragma once

#include <atomic>
#include <thread>

namespace ZarvLinesParm::frame {

/// Makes sure dialogs can be shown: on the owning thread, creates a QApplication, once, when the
/// host has none (and keeps it for the life of the process). Fails with error 5 off the owning
/// thread, or when the host's application object is not a widgets application or lives on
/// another thread; with error 68 when there is no display or window system to make one on.
void ensureApplication();

/// True while the application object is one that `ensureApplication` made: it refers to the
/// library's own memory, so the library must not be unloaded under it.
bool ownsApplication();

/// How many `Start` calls are running, on any thread, nested ones included. While one runs its
/// code is on the stack, so the library must not be unloaded.
inline std::atomic<int> startsRunning{0};

namespace detail {
extern std::atomic<std::thread::id> owner;
/// The slow way, taken when the caller is not the owner on record: claims the library for the
/// caller when nobody has, or when the caller is the application's thread. False otherwise.
bool claimOwnership();
[[noreturn]] void refuseOtherThread();
} // namespace detail

/// The library's state (records, library-wide texts, dialogs) belongs to one thread: the widgets
/// application's, and before there is an application the first thread that calls a member,
/// which claims it. Everything runs on the host's user-interface thread by design and nothing
/// takes a lock, so a call from any other thread fails with error 5 before it touches anything.
/// A lock instead would leave a worker thread blocked behind an open modal dialog.
inline void requireOwningThread()
{
    // The common case is one atomic load and a compare.
    if (detail::owner.load(std::memory_order_acquire) != std::this_thread::get_id() && !detail::claimOwnership())
        detail::refuseOtherThread();
}

} // namespace ZarvLinesParm::frame
