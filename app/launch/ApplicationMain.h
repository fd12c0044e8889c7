#pragma once

#include <functional>

class AppDelegate;
struct WindowFactories;

// Fills in the factories of the windows that live above the application layer.
using WindowFactoryHook = std::function<void(AppDelegate&, WindowFactories&)>;

// Runs the application object and its event loop; answers the process status.
int applicationMain(int argc, char** argv, const WindowFactoryHook& addFactories = {});
