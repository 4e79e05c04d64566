#include "moodle_quiz.h"

#include <QXmlStreamWriter>

#include "explanation/explanation_picture.h"
#include "explanation/lesson.h"
#include "explanation/quiz.h"
#include "geometry/window_frame.h"
#include "picture_output/picture_file.h"

namespace app {

namespace {

using geometry::kWindowFrame;

// Opens <tag format="html"> with its <text> of HTML; the caller closes the tag.
void openHtmlText(QXmlStreamWriter& xml, const QString& tag, const QString& html) {
  xml.writeStartElement(tag);
  xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
  xml.writeStartElement(QStringLiteral("text"));
  xml.writeCDATA(html);
  xml.writeEndElement();
}

}  // namespace

QByteArray moodleQuiz(const RunResult& run, int questions, PictureStyle style) {
  const Picture& normal = run.picture;
  const geometry::SiteColumns& sites = *run.sites;
  const std::uint32_t seed = run.layout.seed;
  QByteArray document;
  QXmlStreamWriter xml(&document);
  xml.setAutoFormatting(true);
  xml.writeStartDocument();
  xml.writeStartElement(QStringLiteral("quiz"));
  Quiz quiz(seed, sites.nSites, run.edgePairs());
  for (int n = 0; n < questions; ++n) {
    const auto [i, j] = quiz.nextPair();
    const QuizQuestion asked = quizQuestion(sites, i, j);
    const bool edge = asked.edge;
    const QString question = QString::fromStdString(pairQuestion(i, j));
    const QString file = QStringLiteral("pair-%1-%2.png").arg(i).arg(j);
    const QByteArray png =
        pictureBytes(askingPicture(normal, asked, sites, style, AnswerKeys::Left),
                     kWindowFrame.clientWidth, kWindowFrame.clientHeight, PictureFormat::Png, 1);
    const QString reason = QString::fromStdString(asked.reason).toHtmlEscaped();

    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
    xml.writeStartElement(QStringLiteral("name"));
    xml.writeTextElement(QStringLiteral("text"),
                         QStringLiteral("%1 (seed %2)").arg(question).arg(seed));
    xml.writeEndElement();
    openHtmlText(
        xml, QStringLiteral("questiontext"),
        QStringLiteral("<p>%1 The picture shows the sites, with %2 and %3 ringed, and their "
                       "bisector.</p><p><img src=\"@@PLUGINFILE@@/%4\" alt=\"Sites %2 and %3 "
                       "ringed, with their bisector, among the other sites\" width=\"753\" "
                       "height=\"475\"></p>")
            .arg(question)
            .arg(i)
            .arg(j)
            .arg(file));
    xml.writeStartElement(QStringLiteral("file"));
    xml.writeAttribute(QStringLiteral("name"), file);
    xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
    xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
    xml.writeCharacters(QString::fromLatin1(png.toBase64()));
    xml.writeEndElement();  // file
    xml.writeEndElement();  // questiontext
    openHtmlText(xml, QStringLiteral("generalfeedback"), QStringLiteral("<p>%1</p>").arg(reason));
    xml.writeEndElement();
    xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
    xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
    xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("none"));
    for (const bool yes : {true, false}) {
      xml.writeStartElement(QStringLiteral("answer"));
      xml.writeAttribute(QStringLiteral("fraction"),
                         yes == edge ? QStringLiteral("100") : QStringLiteral("0"));
      xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
      xml.writeTextElement(QStringLiteral("text"),
                           yes ? QStringLiteral("Yes") : QStringLiteral("No"));
      // The reason stands once, in the general feedback; an answer's own says only whether
      // it was right.
      openHtmlText(
          xml, QStringLiteral("feedback"),
          QStringLiteral("<p>%1</p>").arg(QString::fromStdString(verdictOpening(yes == edge))));
      xml.writeEndElement();
      xml.writeEndElement();  // answer
    }
    xml.writeEndElement();  // question
  }
  xml.writeEndElement();  // quiz
  xml.writeEndDocument();
  return document;
}

}  // namespace app
