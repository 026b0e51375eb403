// The program's entry point: everything happens in game_main.
#include "shell/shell.h"

int main(void) { return game_main(); }
END_OF_MAIN()
