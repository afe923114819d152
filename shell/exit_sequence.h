// The exit sequence: store the settings, release the page, post the quit.
#pragma once

void SaveAndQuit();

// The settings part of the exit sequence alone: the values SaveAndQuit
// writes, in its order and on its conditions, with nothing released. For a
// session that ends the process without destroying its window.
void StoreExitSettings();
