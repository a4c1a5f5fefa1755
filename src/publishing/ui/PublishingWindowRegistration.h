#pragma once
// Registers the windows of the deal diagrams with the window interaction:
// "TForm64" (diagrams), "TForm85" (PBN file chooser) and "TForm107" (PBN
// options, asked with ui::Ask). Called once by the program's entry.
void RegisterPublishingWindows();
