#include "app/worker_thread.h"

#include <atomic>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "common/win_handles.h"
#else
#include <thread>
#endif

struct WorkerThread::State {
    Procedure procedure;
    void* argument;
    std::atomic<bool> finished{false};
#ifdef _WIN32
    win::ScopedHandle thread;
#else
    std::thread thread;
#endif

    void Run() noexcept {
        try {
            procedure(argument);
        } catch (...) {
            // A worker reports its own failures; nothing unwinds past this point.
        }
        finished.store(true);
    }
};

namespace {

#ifdef _WIN32
DWORD WINAPI ThreadStart(void* state) {
    static_cast<WorkerThread::State*>(state)->Run();
    return 0;
}
#endif

}  // namespace

WorkerThread::WorkerThread(std::unique_ptr<State> state) : state_(std::move(state)) {}

std::unique_ptr<WorkerThread> WorkerThread::Start(Procedure procedure, void* argument) {
    // Everything is allocated before the thread exists, so nothing can fail
    // while it runs on memory that is not yet owned.
    std::unique_ptr<WorkerThread> worker(new WorkerThread(std::make_unique<State>()));
    State* state = worker->state_.get();
    state->procedure = procedure;
    state->argument = argument;
#ifdef _WIN32
    state->thread.reset(::CreateThread(nullptr, 0, &ThreadStart, state, 0, nullptr));
    if (!state->thread) return nullptr;
#else
    try {
        state->thread = std::thread([state] { state->Run(); });
    } catch (const std::system_error&) {
        return nullptr;
    }
#endif
    return worker;
}

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Finished() const { return state_->finished.load(); }

void WorkerThread::Join() {
#ifdef _WIN32
    if (state_->thread) {
        ::WaitForSingleObject(state_->thread.get(), INFINITE);
        state_->thread.reset();
    }
#else
    if (state_->thread.joinable()) state_->thread.join();
#endif
}
