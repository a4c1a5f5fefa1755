#pragma once
// Registers the windows of the deal diagrams with the window interaction:
// forms::Diagrams (diagrams), forms::PbnFileChoice (PBN file chooser) and forms::DiagramOptions (PBN
// options, asked with ui::Ask), and the printer of the hand records. Called
// once by the program's entry.
void RegisterPublishingWindows();
