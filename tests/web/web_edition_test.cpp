// The web edition's core, without a browser: its address, what it draws, its keys.

#include "web/web_edition.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "picture/svg_picture.h"
#include "run/run.h"
#include "session/actions.h"
#include "web/page_state.h"
#include "web/picture_changes.h"

namespace {

using app::WebAddress;
using app::WebEdition;

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Does the action of the key, as the page does with a key it is given.
WebEdition::Effect press(WebEdition& edition, const std::string& browserKey) {
  const auto action = edition.actionOfKey(browserKey);
  EXPECT_TRUE(action.has_value()) << browserKey;
  return action ? edition.act(*action) : WebEdition::Effect::None;
}

// The lines of an <svg> element's group: its elements, indented as the file writes them.
std::vector<std::string> groupLines(const std::string& svg) {
  std::vector<std::string> lines;
  std::istringstream in(svg);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("        <")) {
      lines.push_back(line.substr(8));
    }
  }
  return lines;
}

// What the page is told to change, done on the lines shown, gives the new picture's lines:
// during a drag a few elements (and no address until the drag ends), another style or a new
// site (the description counts it) the whole element.
TEST(WebEdition, PutsUpWhatChangedAndOnlyThat) {
  WebEdition edition;
  edition.open("seed=42", 0);
  app::PictureChanges page;
  ASSERT_EQ(nlohmann::json::parse(page.since(edition))["whole"], edition.svg());
  std::vector<std::string> shown = groupLines(edition.svg());
  const app::SitePosition site = edition.history().layout().sites[20];
  edition.press(site.x, site.y);
  for (const double dx : {3.0, 40.0, 40.0, -2.0, 120.0}) {
    edition.drag(site.x + dx, static_cast<double>(site.y) + dx / 2);
    const nlohmann::json changes = nlohmann::json::parse(page.since(edition));
    ASSERT_FALSE(changes.contains("whole")) << dx;
    const std::vector<std::string> next = groupLines(edition.svg());
    for (auto n = changes["gone"].rbegin(); n != changes["gone"].rend(); ++n) {
      shown.erase(shown.begin() + n->get<std::ptrdiff_t>());
    }
    std::string markup;
    for (const auto& n : changes["came"]) {
      shown.insert(shown.begin() + n.get<std::ptrdiff_t>(), next[n.get<std::size_t>()]);
      markup += next[n.get<std::size_t>()];
    }
    EXPECT_EQ(changes["markup"], markup) << dx;
    EXPECT_EQ(shown, next) << dx;
    EXPECT_LT(changes["came"].size(), next.size() / 4) << dx;
  }
  EXPECT_EQ(nlohmann::json::parse(page.since(edition))["came"].size(), 0u) << "nothing moved";
  EXPECT_TRUE(nlohmann::json::parse(app::stateJson(edition))["address"].is_null()) << "dragged";
  edition.release();
  EXPECT_NE(nlohmann::json::parse(app::stateJson(edition))["address"], "seed=42");
  press(edition, "P");  // the projector style: most elements change
  EXPECT_EQ(nlohmann::json::parse(page.since(edition))["whole"], edition.svg());
  press(edition, "P");
  edition.press(700.5, 30.25);  // a new site
  edition.release();
  EXPECT_EQ(nlohmann::json::parse(page.since(edition))["whole"], edition.svg());
}

// Every address that addressText writes reads back as itself; a part that cannot be used
// is named and the rest kept, whatever is typed.
TEST(WebAddress, ReadsBackWhatItWritesAndKeepsWhatItCanOfTheRest) {
  std::vector<WebAddress> addresses(5);
  addresses[0].seed = 42;
  addresses[1] = {7, app::SitePositions{{100, 100}, {300.5, 300.25f}, {0.1, 1.0f / 3}}};
  addresses[2].seed = 4294967295u;
  addresses[2].view = WebAddress::View::Pair;
  addresses[2].i = 7;
  addresses[2].j = 1;
  addresses[2].detail = true;
  addresses[2].step = 12;
  addresses[2].style = app::PictureStyle::Projector;
  addresses[3].seed = 3;
  addresses[3].view = WebAddress::View::Tour;
  addresses[3].step = 2;
  addresses[4].seed = 5;
  addresses[4].view = WebAddress::View::Exercise;
  addresses[4].exercise = app::ExerciseKind::CutPoint;
  addresses[4].layers.set(app::Layer::VoronoiEdges, false);
  addresses[4].layers.set(app::Layer::Label, false);
  for (const WebAddress& address : addresses) {
    std::vector<std::string> problems;
    const std::string text = app::addressText(address);
    EXPECT_EQ(app::parseAddress(text, problems), address) << text;
    EXPECT_TRUE(problems.empty()) << text << ": " << problems.front();
  }
  EXPECT_EQ(app::addressText(addresses[2]),
            "seed=4294967295&pair=7-1&detail&step=12&style=projector");
  EXPECT_EQ(app::addressText(addresses[4]), "seed=5&exercise=cut-point&hide=voronoi,label");

  const struct {
    const char* typed;
    std::size_t problems;
    const char* kept;
  } hostile[] = {
      {"#%", 1, ""},
      {"seed=%34%32&pair=1-7&step=3", 0, "seed=42&pair=1-7&step=3"},
      {"seed=abc&pair=1-7", 1, "pair=1-7&step=0"},
      {"seed=4294967296&tour", 1, "tour"},
      {"seed=9&sites=1,2", 1, "seed=9"},
      {"seed=9&sites=10,10;10,20;%E0%A4%A", 1, "seed=9"},
      {"seed=9&pair=3-3&step=0&exercise=chess&style=loud&colour=red", 5, "seed=9"},
      {"seed=9&hide=delaunay,edges,circles", 1, "seed=9&hide=delaunay,circles"},
      {"seed=1&&detail&step=2", 0, "seed=1"},
  };
  for (const auto& [typed, count, kept] : hostile) {
    std::vector<std::string> problems;
    std::string said = app::addressText(app::parseAddress(typed, problems));
    EXPECT_EQ(problems.size(), count) << typed;
    if (std::string(kept) == "pair=1-7&step=0") {
      said += "&step=0";  // a pair without a step says none
    }
    EXPECT_EQ(said, kept) << typed;
  }
  std::vector<std::string> problems;
  app::parseAddress("sites=" + std::string(2 << 20, '1'), problems);
  EXPECT_EQ(problems.size(), 1u) << "a read is bounded";
}

// The page's picture is the desktop's SVG, element for element, and the address opens it
// again: after an edit with the pointer, with a layer hidden, in a lesson at a step, in an
// exercise.
TEST(WebEdition, DrawsTheDesktopsPictureAndItsAddressOpensItAgain) {
  WebEdition edition;
  edition.open("seed=42", 0);
  std::string golden = fileText(VD_SOURCE_DIR "/tests/golden/seed-42.svg");
  golden.erase(0, golden.find('\n') + 1);  // the XML declaration
  EXPECT_EQ(edition.svg() + "\n", golden);
  EXPECT_EQ(edition.pictureFile(), fileText(VD_SOURCE_DIR "/tests/golden/seed-42.svg"));
  EXPECT_EQ(edition.address(), "seed=42");

  const std::size_t before = edition.history().layout().sites.size();
  edition.press(700.5, 30.25);  // away from every site: a new one
  edition.release();
  const app::SitePosition site = edition.history().layout().sites.front();
  edition.press(site.x, site.y);  // site 1 dragged
  edition.drag(site.x + 10, site.y + 5);
  edition.release();
  ASSERT_EQ(edition.history().layout().sites.size(), before + 1);
  const std::string edited = edition.address();
  EXPECT_NE(edited.find("&sites="), std::string::npos) << edited;
  WebEdition copy;
  copy.open(edited, 0);
  EXPECT_EQ(copy.history().layout(), edition.history().layout());
  EXPECT_EQ(copy.svg(), edition.svg());
  const app::RunResult run = app::runDemonstration({42, edition.history().layout().sites});
  EXPECT_EQ(copy.pictureFile(), app::svgDocument(run.picture, 753, 475));

  press(edition, "Ctrl+z");
  press(edition, "Ctrl+z");
  EXPECT_EQ(edition.address(), "seed=42") << "both edits taken back";
  // A layer hidden stays hidden in the copied link.
  const std::string allLayers = edition.svg();
  press(edition, "v");
  EXPECT_EQ(edition.address(), "seed=42&hide=voronoi");
  EXPECT_NE(edition.svg(), allLayers);
  WebEdition plain;
  plain.open(edition.address(), 0);
  EXPECT_EQ(plain.svg(), edition.svg());
  press(edition, "v");
  press(edition, "Ctrl+Z");  // Ctrl+Shift+Z: redo
  EXPECT_EQ(edition.history().layout().sites.size(), before + 1);

  // A lesson: E, a pair clicked by its two sites, Return for the detail, a step down.
  press(edition, "Ctrl+z");
  press(edition, "e");
  ASSERT_TRUE(edition.explaining());
  press(edition, "Enter");
  press(edition, "ArrowDown");
  const std::string lesson = edition.address();
  EXPECT_EQ(lesson.rfind("seed=42&pair=", 0), 0u) << lesson;
  EXPECT_NE(lesson.find("&detail&step="), std::string::npos) << lesson;
  WebEdition reopened;
  reopened.open(lesson, 0);
  EXPECT_EQ(reopened.address(), lesson);
  EXPECT_EQ(reopened.line(), edition.line());
  EXPECT_EQ(reopened.svg(), edition.svg());
  EXPECT_NE(edition.svg().find("<desc>" + edition.line().substr(0, 20)), std::string::npos);
  press(edition, "Escape");
  EXPECT_FALSE(edition.explaining());

  // An exercise from the address: its results name the seed; Save gives them.
  WebEdition exercise;
  exercise.open("seed=5&exercise=voronoi-piece", 0);
  ASSERT_TRUE(exercise.exercising());
  EXPECT_EQ(exercise.address(), "seed=5&exercise=voronoi-piece");
  EXPECT_EQ(press(exercise, "Ctrl+s"), WebEdition::Effect::SaveResults);
  EXPECT_NE(exercise.resultsFile("Ada").find("\"seed\": 5"), std::string::npos)
      << exercise.resultsFile("Ada");
}

// Every key of the table reaches its action, none when it cannot be used now, and a site
// list in or out goes through the site list's own checks.
TEST(WebEdition, TakesEveryKeyOfTheTableAndSiteListsWithTheirChecks) {
  // A key shared by actions never used at once reaches the one usable now.
  for (const char* address : {"seed=8", "seed=8&pair=1-2", "seed=8&exercise=cut-point"}) {
    WebEdition at;
    at.open(address, 0);
    for (std::size_t n = 0; n < app::actions().size(); ++n) {
      for (const std::string& key : app::actions()[n].keys) {
        const auto found = at.actionOfKey(app::browserKey(key));
        ASSERT_TRUE(found.has_value()) << key;
        if (*found != n) {
          EXPECT_FALSE(app::usableTogether(app::actions()[n].when, app::actions()[*found].when));
          EXPECT_TRUE(at.enabled(*found) || !at.enabled(n)) << key << " at " << address;
        }
      }
    }
  }
  WebEdition edition;
  edition.open("seed=8", 0);
  EXPECT_FALSE(edition.actionOfKey("Ctrl+q").has_value());

  // The arrows move the site last clicked, a pixel a step, each step undoable.
  const app::SitePosition third = edition.history().layout().sites[2];
  edition.press(third.x, third.y);
  edition.release();
  EXPECT_EQ(edition.line().rfind("Site 3 selected", 0), 0u) << edition.line();
  press(edition, "ArrowRight");
  press(edition, "ArrowUp");
  EXPECT_EQ(edition.history().layout().sites[2].x, third.x + 1);
  EXPECT_EQ(edition.history().layout().sites[2].y, third.y - 1);
  EXPECT_NE(edition.address().find("&sites="), std::string::npos);
  press(edition, "Ctrl+z");
  press(edition, "Ctrl+z");
  EXPECT_EQ(edition.address(), "seed=8");
  EXPECT_EQ(press(edition, "PageDown"), WebEdition::Effect::None) << "no lesson to step";
  EXPECT_EQ(press(edition, "g"), WebEdition::Effect::None) << "no exercise to check";
  EXPECT_EQ(press(edition, "Ctrl+c"), WebEdition::Effect::Copy);
  const std::string list = edition.siteList();
  EXPECT_EQ(list.rfind("# seed 8\n", 0), 0u);

  press(edition, "v");  // the Voronoi edges hidden
  EXPECT_EQ(edition.svg().find("stroke=\"#ff0000\""), std::string::npos);
  press(edition, "v");
  press(edition, "P");  // Shift+P: the projector style
  EXPECT_EQ(edition.address(), "seed=8&style=projector");
  press(edition, "b");
  EXPECT_EQ(edition.svg().find("<line"), std::string::npos) << "a blank screen";
  press(edition, "b");

  EXPECT_NE(edition.openSiteList("1 2\n"), "");
  EXPECT_EQ(edition.history().layout().seed, 8u) << "a refused list changes nothing";
  EXPECT_EQ(edition.openSiteList("# seed 9\n100 100\n200 250.5\n300 120\n"), "");
  EXPECT_EQ(edition.address(), "seed=9&sites=100,100;200,250.5;300,120&style=projector");
  press(edition, "Ctrl+z");
  EXPECT_EQ(edition.siteList(), list);
}

}  // namespace
