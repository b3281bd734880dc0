// Fission-track count files: the two layouts analysts already have, recognised from their first
// lines, and read strictly into a calibration and grains (fission_tracks.h computes the ages).
//
//   IsoplotR (external detector, format 1)    RadialPlotter
//     zeta,err[zeta]                            sample name[,F]
//     350,10                                    350[,10]          zeta (yr cm^2)
//     rhoD,err[rhoD]                            1300000[,26000]   rhoD (tracks per cm^2)
//     1300000,26000                             31,41[,note]      Ns,Ni per grain
//     Ns,Ni                                     ...
//     31,41
//     ...
//
// Whole file as for data files: read with a size bound, decoded to UTF-8 (text_encoding.h);
// fields are separated by commas, or by semicolons or tabs (with a decimal point or comma in
// zeta and rhoD). Counts are whole numbers of at most 9 digits, Ns + Ni > 0 and Ni > 0 (a grain
// without induced tracks has no finite age), zeta and rhoD positive, errors 0 or more, 1 to 300
// grains; anything else is refused with the line. What is read is a CountData (data_set.h), which
// a data set read from a count file keeps; Read_Data_File (input.h) reads count files this way.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_set.h"
#include "core/fission_tracks.h"
#include "core/input.h"

namespace sifton {

// The layout of a count file, from its first lines, or nothing for any other file (a data file
// of ages above all). IsoplotR's layout is known by its headers: zeta on line 1, rhoD on line 3,
// Ns and Ni on line 5. RadialPlotter's by the flag F after the name on line 1; without it, by one
// or two numbers on lines 2 and 3, the one on line 3 (rhoD) at least 10^4 and 100 times the one
// on line 2 (zeta), then pairs of whole numbers on the lines up to 8.
std::optional<CountLayout> countLayoutOf(std::string_view utf8);
inline bool looksLikeCountFile(std::string_view utf8) { return countLayoutOf(utf8).has_value(); }

// The text of a count file (decoded), 'shownAs' naming it in a refusal.
Outcome<CountData> readCountText(const std::string& utf8, const std::string& shownAs);
// The bytes of a count file from a stream (the file once opened, or standard input).
Outcome<CountData> readCountFile(std::istream& in, const std::string& shownAs);
// A count file by its path.
Outcome<CountData> readCountFile(const std::string& path);

}  // namespace sifton
