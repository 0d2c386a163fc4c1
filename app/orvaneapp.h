// The application object: one instance per session, the main window run
// until it ends.
#pragma once

namespace orvane {

class COrvaneApp {
public:
    COrvaneApp(int& argc, char** argv);
    // Runs the utility; returns the process exit code.
    int InitInstance();

private:
    int& argc_;
    char** argv_;
};

}  // namespace orvane
