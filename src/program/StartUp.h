#pragma once

// The road from process start to the main window's message loop and back.
int RunProgram(int argc, char** argv);
