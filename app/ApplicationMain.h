#pragma once

// Runs the application object and its event loop; answers the process status.
int applicationMain(int argc, char** argv);
