// The loader of the series files shipped in the program folder. It fills the
// engine's process-wide tables:
//   termfull.zvd  2425 records of 3 fields  -> termfull (complete VSOP87D Earth)
//   term.zvd       248 records of 4 fields  -> term     (truncated VSOP87D Earth)
//   mterm.zvd      183 records of 10 fields -> mterm    (nutation, Moon terms)
//   elp.zvd       1324 records in 12 sections of 7 or 4 fields -> elp tables
// Fields are read in the settings-line form; a line end separates fields as a
// comma does, so only the field counts give a file its structure. A missing
// file, a file that ends early or a field that is not a number stops the
// program with a message naming the file (and the record).
#pragma once

namespace series {

void loadTermFull();
void loadTerm();
void loadMterm();
void loadElp();

} // namespace series
