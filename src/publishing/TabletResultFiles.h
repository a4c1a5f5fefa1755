#pragma once
// The results as the tablets' server reads them, written again for the web
// and USEBIO exports.

// Rewrites "RESX<board>.TXT" of every table folder with each known result
// for the tablets' server. False when the export must stop (a result
// adjusted while ".ADJ" is missing).
bool RewriteTableResultFiles();
