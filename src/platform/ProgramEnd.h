#pragma once

namespace quorix::platform {

// Ends the program at once, from wherever it is called, nested event loops included: no further
// handler runs and the process exits with the given status. Never returns.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void endProgram(int status) = 0;
};

} // namespace quorix::platform
