#pragma once
// EngineProcess: a console engine run as a child process, spoken to line by line.
//
// The engine's standard input and output are connected to this object; its standard
// error is the caller's. Writing never raises SIGPIPE (a dead engine gives a failed
// write), reading waits at most until a deadline, and Stop (also run by the
// destructor) ends the engine and reaps it: END first, then SIGKILL when it has not
// closed its output within a second.

#include <string>
#include <sys/types.h>
#include <vector>

namespace gomocup {

class EngineProcess {
  public:
    EngineProcess() = default;
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;
    ~EngineProcess();

    // Runs `argv` (program first: a path with a "/", or a name looked up on the PATH)
    // in `workFolder` (empty: the caller's). False with `error` set when the program
    // cannot be started.
    bool Start(const std::vector<std::string>& argv, const std::string& workFolder,
               std::string& error);
    bool Running() const { return pid_ > 0; }

    // Sends `line` and a newline; false when the engine no longer reads.
    bool Send(const std::string& line);

    // Closes the engine's standard input (it reads the end of input); the engine
    // keeps running.
    void CloseInput();

    enum class Read { Line, TimedOut, Closed };
    // The next line of output without its line end, waiting at most `seconds`.
    Read ReadLine(double seconds, std::string& line);

    // Ends the engine and reaps it; does nothing when none runs.
    void Stop();

  private:
    pid_t pid_ = -1;
    int in_ = -1;  // the engine's standard input (our writing end)
    int out_ = -1; // the engine's standard output (our reading end)
    std::string buffer_;
    bool closed_ = false;
};

} // namespace gomocup
