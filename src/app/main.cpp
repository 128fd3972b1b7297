#include "shell/startup.h"

int main(int argc, char** argv) { return bg::runApplication(argc, argv); }
