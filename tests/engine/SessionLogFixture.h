// A session log of its own for one test, read back as text.
#pragma once
#include <memory>
#include <string>

#include "GP_Log.h"
#include "TempDir.h"

namespace testsupport {

class SessionLogFixture {
public:
    SessionLogFixture() : log_(std::make_unique<CGP_Log>((dir_ / "Exception.log").c_str())) { log_->Open(); }
    std::string Text() const { return ReadFile(dir_ / "Exception.log"); }
    bool Contains(const std::string& line) const { return Text().find(line) != std::string::npos; }
    const TempDir& Dir() const { return dir_; }

private:
    TempDir dir_;
    std::unique_ptr<CGP_Log> log_;
};

}  // namespace testsupport
