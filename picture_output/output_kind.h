#pragma once

#include <QString>
#include <array>
#include <optional>

#include "picture_file.h"

namespace app {

// What a file the program writes is, as its name's ending says: parsed once, from --save's
// name or the file dialog's, into one value that options, headless runs, the window's Save
// and the document look up in the one table below.
enum class OutputKind { Png, Svg, Pdf, Tex, WebPage, MoodleQuiz };

// What a kind of file can hold.
enum class Holds : unsigned {
  RunPicture = 1,     // the run's picture
  StepPicture = 2,    // the picture of one step of a lesson or of the tour
  Lesson = 4,         // a pair's whole lesson (a handout, slides, a page)
  Tour = 8,           // the whole tour
  Quiz = 16,          // a round of questions
  Scaled = 32,        // more pixels than the window's (--scale)
  PickedSteps = 64,   // only some of a lesson's steps (--pick)
  OpensAtStep = 128,  // opens at one step of a lesson or of the tour (the web edition)
};
constexpr Holds operator|(Holds a, Holds b) {
  return static_cast<Holds>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

struct OutputKindInfo {
  OutputKind kind;
  std::array<const char*, 2> endings;  // the first is the one offered; in any case
  const char* filter;                  // the file dialog's entry
  Holds holds;
  std::optional<PictureFormat> pictureFormat;  // for the kinds that hold a picture
};

inline constexpr Holds kPictures = Holds::RunPicture | Holds::StepPicture;
inline constexpr std::array kOutputKinds{
    OutputKindInfo{OutputKind::Png,
                   {".png", nullptr},
                   "PNG pictures (*.png)",
                   kPictures | Holds::Scaled,
                   PictureFormat::Png},
    OutputKindInfo{
        OutputKind::Svg, {".svg", nullptr}, "SVG pictures (*.svg)", kPictures, PictureFormat::Svg},
    OutputKindInfo{OutputKind::Pdf,
                   {".pdf", nullptr},
                   "PDF documents (*.pdf)",
                   kPictures | Holds::Lesson | Holds::PickedSteps,
                   PictureFormat::Pdf},
    OutputKindInfo{OutputKind::Tex,
                   {".tex", nullptr},
                   "TikZ figures for LaTeX (*.tex)",
                   kPictures | Holds::Lesson | Holds::Tour | Holds::PickedSteps,
                   PictureFormat::Tex},
    OutputKindInfo{OutputKind::WebPage,
                   {".html", ".htm"},
                   "The web edition in one file (*.html)",
                   Holds::RunPicture | Holds::OpensAtStep | Holds::Lesson | Holds::Tour,
                   std::nullopt},
    OutputKindInfo{OutputKind::MoodleQuiz,
                   {".xml", nullptr},
                   "Moodle quiz questions (*.xml)",
                   Holds::Quiz,
                   std::nullopt},
};

// The kind a file name asks for by its ending, or nothing.
std::optional<OutputKind> outputKindFor(const QString& path);
const OutputKindInfo& infoOf(OutputKind kind);
// Whether the kind can hold what is asked.
bool holds(OutputKind kind, Holds what);
// The endings of the kinds that hold it, as a list for a message: ".png, .svg or .pdf".
QString endingsHolding(Holds what);
// What is wrong with a file name that asks for no kind the program writes that holds it.
QString unknownOutputKind(const QString& path, Holds what);

}  // namespace app
