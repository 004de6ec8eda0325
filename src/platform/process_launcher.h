// Starting other programs without waiting for them.
#pragma once

#include <string>

namespace velkar {

class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // A plain text editor with no document; false (and a reason) when none exists.
    virtual bool startTextEditor(std::string& error) = 0;
    // The address in the default web browser.
    virtual bool openWebPage(const std::string& url, std::string& error) = 0;
};

}  // namespace velkar
