// ---------------------------------------------------------------------------
// Interaction and animation: the rotor's tick and the two keyboard handlers.
// Each changes the scene (or reports a key) and asks for a redraw; none
// draws anything itself.
// ---------------------------------------------------------------------------
#pragma once

// Timer handler: turns the rotor one step and arms the next tick.
void advanceRotor(int value);

// Keys without a character: arrows turn the model, F1/F2 set the rotor speed.
void handleSpecialKey(int key, int x, int y);

// Keys with a character: one line on standard output per press.
void handleKey(unsigned char key, int x, int y);
