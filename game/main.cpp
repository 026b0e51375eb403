// The program's entry point: everything happens in game_main.
#include <allegro.h>

#include "game/game.h"

int main(void) { return game_main(); }
END_OF_MAIN()
