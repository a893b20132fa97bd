// kelmora: the desktop program.
#include "app/program.h"

int main(int argc, char** argv) { return kelmora::runDesktop(argc, argv); }
