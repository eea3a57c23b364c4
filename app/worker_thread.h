// A worker thread of the installer: started by the Win32 thread start on
// Windows, by std::thread elsewhere (the native tests). The procedure runs
// inside a catch-all, so no exception ever leaves a thread start.
#pragma once

#include <cstdint>
#include <memory>

class WorkerThread {
public:
    using Procedure = std::uint32_t (*)(void* argument);

    // Null when no thread could be started.
    static std::unique_ptr<WorkerThread> Start(Procedure procedure, void* argument);

    // Waits for the thread's end.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // True once the procedure has returned (does not wait).
    bool Finished() const;
    void Join();

    struct State;

private:
    explicit WorkerThread(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};
