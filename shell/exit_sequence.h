// The exit sequence: store the settings, release the page, post the quit.
#pragma once

void SaveAndQuit();
