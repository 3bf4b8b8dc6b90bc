#pragma once
// The process entry: decides between talking to a running instance and starting one, makes
// sure there is a display, and runs the event loop.

namespace Launcher {

int run(int argc, char **argv);

} // namespace Launcher
