// `astorine --records`: the records file listed on stdout, without a window.
#pragma once

// Prints RecordsListing of the records file, a missing file listing empty tables, with the
// replays of the records folder; a kept replay that is gone is listed as none. Lines of the file
// it cannot use are named on stderr. Returns the exit status: 0, or 1 when there is no file to
// read or it cannot be read.
int PrintRecords();
