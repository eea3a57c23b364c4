// The application object: prepares the common controls, loads the embedded
// skin package and runs the main window modally; the process ends with it.
#pragma once

#include <windows.h>

class CInstlApp {
public:
    explicit CInstlApp(HINSTANCE instance) : instance_(instance) {}
    // Runs the whole program; the result is the process exit code.
    int Run();

private:
    HINSTANCE instance_;
};
