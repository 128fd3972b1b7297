#pragma once
// Program start: initialisation in its fixed order, then the main loop until quit.
namespace bg {
int runApplication(int argc, char** argv);
}
