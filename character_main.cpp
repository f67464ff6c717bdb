// Entry point; the driver itself lives in character_driver.cpp so tests can run it.
#include "character_driver.h"

int main(int argc, char** argv) { return quorvelMain(argc, argv); }
