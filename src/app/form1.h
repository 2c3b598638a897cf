#pragma once

#include "platform/platform.h"

namespace taktomat::app {

// The utility's one window with its controls and event handlers.
class Form1 {
  public:
    explicit Form1(platform::Platform& platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Runs the startup and shows the window.
    void open();

    platform::MainWindow& window() { return window_; }

  private:
    platform::Platform& platform_;
    platform::MainWindow& window_;
};

}  // namespace taktomat::app
