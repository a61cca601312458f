#include "infowindows/help_text.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "app/notice.h"
#include "app/version.h"

namespace infowindows {
namespace {

// One entry a line; every paragraph stands on one line so that the text area
// wraps it to the window's width.
constexpr std::array<const char*, 41> kLines = {
    "Quillmere",
    "",
    "Quillmere computes, for each variable of a correlation matrix, its multiple correlation R "
    "and its squared multiple correlation SMC with all the other variables. The SMCs follow "
    "from the diagonal elements of the inverse of the correlation matrix: for a variable whose "
    "diagonal element of the inverse is d, SMC = 1 - 1/d, and R is the square root of SMC. R "
    "tells how well a variable is predicted by the best linear combination of the others, and "
    "SMC is the proportion of its variance that the others account for; SMCs are often used as "
    "initial communality estimates in factor analysis.",
    "",
    "Input",
    "The input is a correlation matrix, loaded from a tab-delimited text file or entered (typed "
    "or pasted) in the correlation-matrix field. There is one row per variable: the values of a "
    "row are separated by a TAB, and each row is ended by a carriage return. The matrix must be "
    "square and symmetric, with 3 to 99 variables, that is, from 3 x 3 to 99 x 99. Please check "
    "that the file is accurate and tab-delimited before you load it. The number of variables "
    "entered must equal the number of rows and of columns of the matrix.",
    "",
    "Operation of Quillmere Program",
    "A small illustrative example with five variables shows the steps. First enter the number "
    "of variables, here 5. Then press \"Load Data\" and load the matrix from a text file, or "
    "paste the matrix into the correlation-matrix field. Then press \"Calculate\" to get the R "
    "and SMC coefficients, one line per variable, in the results field. Each Calculate adds its "
    "lines to those already there; press \"Clear\" to empty the fields and start again.",
    "",
    "The correlation matrix:",
    "1.0000\t0.2000\t0.2400\t0.0000\t0.0000",
    "0.2000\t1.0000\t0.5800\t0.5600\t0.2100",
    "0.2400\t0.5800\t1.0000\t0.4100\t0.2100",
    "0.0000\t0.5600\t0.4100\t1.0000\t0.5100",
    "0.0000\t0.2100\t0.2100\t0.5100\t1.0000",
    "",
    "R               SMC",
    "0.2961\t    0.0877",
    "0.6925\t    0.4795",
    "0.6074\t    0.3690",
    "0.7000\t    0.4900",
    "0.5206\t    0.2710",
    "",
    "The coefficients can be copied from the results field and pasted into another document.",
    "",
    "Caution",
    "Always check the output for consistency and reasonableness, and check that the matrix the "
    "program read is accurate: a single mistyped or misplaced value changes every coefficient "
    "that depends on it.",
    "",
    "",
    "References",
    "Harman, H. H. (1976). Modern factor analysis (3rd ed., rev.). Chicago: University of "
    "Chicago Press.",
    "",
    "Matrix operations use Eigen (https://eigen.tuxfamily.org), a C++ template library for "
    "linear algebra by Benoit Jacob, Gael Guennebaud and the Eigen contributors, distributed "
    "under the Mozilla Public License 2.0 (MPL2).",
    "",
    "   ***********************************************************",
    "@NOTICE@. Quillmere may be used, copied and passed on free of "
    "charge for research and teaching, provided that this notice stays with every copy. It may "
    "not be sold or included in a product that is sold.",
    "",
    "To cite this program: Quillmere Project (2026). Quillmere @VERSION@ [Computer software].",
    "",
    "Disclaimer: Quillmere is provided \"as is\", without warranty of any kind, express or "
    "implied, including but not limited to the warranties of merchantability and fitness for a "
    "particular purpose. The user alone is responsible for the use of the program and of its "
    "results. In no event shall the authors be liable for any claim, damages or other "
    "liability arising from the use of the program or of its results.",
};

void Replace(std::string& text, std::string_view marker, std::string_view by) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) {
    text.replace(at, marker.size(), by);
  }
}

std::string JoinLines() {
  std::string text;
  for (std::size_t i = 0; i < kLines.size(); ++i) {
    if (i > 0) {
      text += "\r\n";
    }
    text += kLines[i];
  }
  // The notice and the version are written once, in the version header.
  Replace(text, "@NOTICE@", kNotice);
  Replace(text, "@VERSION@", version::kShort);
  return text;
}

}  // namespace

const std::string& HelpText() {
  static const std::string text = JoinLines();
  return text;
}

std::string_view HelpTitle() {
  const std::string_view text = HelpText();
  return text.substr(0, text.find("\r\n"));
}

}  // namespace infowindows
