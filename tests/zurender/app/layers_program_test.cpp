// `zurender layers`: settings files edited through the plug-in's own Layers dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "zurender/output/exr_reader.h"
#include "zurender/output/psd_reader.h"
#include "zurender_run.h"

namespace zurender {
namespace {

using namespace zurender::testing;

// The rows `list` prints, without its header, and its settings line.
std::vector<std::string> Rows(const std::string& file) {
  const ProgramRun run = RunZurender({"layers", file, "list"});
  std::vector<std::string> rows;
  std::size_t start = 0;
  for (std::size_t end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1)
    rows.push_back(run.out.substr(start, end - start));
  if (!rows.empty()) rows.erase(rows.begin());
  return rows;
}

// The line of a row, its columns squeezed to one space each.
std::string Row(const std::vector<std::string>& rows, std::size_t row) {
  if (row < 1 || row > rows.size()) return "";
  std::string squeezed;
  for (char c : rows[row - 1])
    if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
  return squeezed;
}

TEST(ZurenderLayers, EveryCommandChangesWhatItNamesThroughTheDialog) {
  TempFolder dir;
  const std::string file = dir.Path("layers.json");
  ASSERT_EQ(RunZurender({"layers", file, "init", "--preset", "road"}).status, 0);
  std::vector<std::string> rows = Rows(file);
  ASSERT_EQ(rows.size(), 4u);  // three rows and the settings line
  EXPECT_EQ(Row(rows, 1), "1 on Diffuse Pack \"Diffuse Pack\" 'norm' lighting automatic, additives automatic");
  EXPECT_EQ(Row(rows, 2), "2 on Lights \"Lights\" 'mul ' shadows automatic");
  EXPECT_EQ(Row(rows, 3), "3 on Specular \"Specular\" 'lddg'");
  // Nothing stored as the base name comes back from the plug-in as one space.
  EXPECT_EQ(rows[3], "base name \" \", name mode off, edge mask off, output pair off");

  // Each command, and the rows it must leave: every other row stays as it was.
  const struct {
    std::vector<std::string> command;
    std::vector<std::string> expected;  // the rows afterwards, squeezed
  } steps[] = {
      {{"add", "fog", "--at", "1"},
       {"1 on Fog \"Fog\" 'norm'", "2 on Diffuse Pack \"Diffuse Pack\" 'norm' lighting automatic, additives automatic",
        "3 on Lights \"Lights\" 'mul ' shadows automatic", "4 on Specular \"Specular\" 'lddg'"}},
      {{"move", "2", "4"},
       {"1 on Fog \"Fog\" 'norm'", "2 on Lights \"Lights\" 'mul ' shadows automatic", "3 on Specular \"Specular\" 'lddg'",
        "4 on Diffuse Pack \"Diffuse Pack\" 'norm' lighting automatic, additives automatic"}},
      {{"disable", "3"}, {"", "", "3 off Specular \"Specular\" 'lddg'", ""}},
      {{"enable", "3"}, {"", "", "3 on Specular \"Specular\" 'lddg'", ""}},
      {{"rename", "2", "Key light"}, {"", "2 on Lights \"Key light\" 'mul ' shadows automatic", "", ""}},
      {{"blend", "3", "Screen"}, {"", "", "3 on Specular \"Specular\" 'scrn'", ""}},
      {{"blend", "3", "lddg"}, {"", "", "3 on Specular \"Specular\" 'lddg'", ""}},
      {{"option", "2", "shadows", "without"}, {"", "2 on Lights \"Key light\" 'mul ' shadows without", "", ""}},
      {{"option", "4", "Lighting", "always"},
       {"", "", "", "4 on Diffuse Pack \"Diffuse Pack\" 'norm' lighting always, additives automatic"}},
      {{"remove", "1", "3"},
       {"1 on Lights \"Key light\" 'mul ' shadows without",
        "2 on Diffuse Pack \"Diffuse Pack\" 'norm' lighting always, additives automatic"}},
      {{"add", "mask-of-#"}, {"", "", "3 on Mask of # \"Mask of #\" 'norm' mask 32"}},
      {{"option", "3", "mask", "2"}, {"", "", "3 on Mask of # \"Mask of #\" 'norm' mask 2"}},
  };
  std::vector<std::string> before = Rows(file);
  for (const auto& step : steps) {
    std::vector<std::string> args = {"layers", file};
    args.insert(args.end(), step.command.begin(), step.command.end());
    const ProgramRun run = RunZurender(args);
    ASSERT_EQ(run.status, 0) << step.command[0] << ": " << run.err;
    const std::vector<std::string> after = Rows(file);
    ASSERT_EQ(after.size(), step.expected.size() + 1) << step.command[0];
    for (std::size_t row = 1; row <= step.expected.size(); ++row) {
      const std::string expected = step.expected[row - 1].empty() ? Row(before, row) : step.expected[row - 1];
      EXPECT_EQ(Row(after, row), expected) << step.command[0] << " " << step.command[1] << ", row " << row;
    }
    EXPECT_EQ(after.back(), before.back()) << step.command[0] << " changed the settings line";
    before = after;
  }
  // The settings the host keeps beside the list.
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"name-mode", "before"}, {"base-name", "Shot1 "}, {"edge-mask", "on"},
        {"output-pair", "7", "-3"}}) {
    std::vector<std::string> args = {"layers", file};
    args.insert(args.end(), command.begin(), command.end());
    ASSERT_EQ(RunZurender(args).status, 0) << command[0];
  }
  rows = Rows(file);
  EXPECT_EQ(rows.back(), "base name \"Shot1 \", name mode before, edge mask on, output pair 7 -3");
  EXPECT_EQ(Row(rows, 1), "1 on Lights \"Key light\" 'mul ' shadows without") << "the rows stay";
  const auto settings = nlohmann::json::parse(ReadFile(file));
  EXPECT_EQ(settings["parameterBlock"]["outputPairCustom1"], 7);
  EXPECT_EQ(settings["parameterBlock"]["outputPairPreset"], 4);

  // And a render with the file declares what it lists.
  const ProgramRun render = RunZurender({"--settings", file, "-o", dir.Path("out"), "--size", "32x24"});
  ASSERT_EQ(render.status, 0) << render.err;
  const auto manifest = nlohmann::json::parse(ReadFile(dir.Path("out/manifest.json")));
  ASSERT_EQ(manifest["layers"].size(), 4u);
  EXPECT_EQ(manifest["layers"][0]["name"], "Edge Mask");
  EXPECT_EQ(manifest["layers"][1]["name"], "Shot1 Key light");
  EXPECT_EQ(manifest["layers"][1]["kind"], "Lights");
  EXPECT_EQ(manifest["layers"][3]["kind"], "Mask of #");
}

TEST(ZurenderLayers, WhatTheDialogRefusesLeavesTheFileAsItWas) {
  TempFolder dir;
  const std::string file = dir.Path("layers.json");
  ASSERT_EQ(RunZurender({"layers", file, "init"}).status, 0);
  ASSERT_EQ(RunZurender({"layers", file, "add", "additives pack"}).status, 0);
  const std::string kept = ReadFile(file);
  const struct {
    std::vector<std::string> command;
    std::string message;
  } cases[] = {
      {{"remove", "9"}, "there is no row 9: the list has 7 rows"},
      {{"add", "glow"}, "no layer kind is called \"glow\""},
      {{"blend", "1", "glow"}, "no blend mode is called \"glow\""},
      {{"option", "1", "lighting", "on"}, "a \"Luminance\" layer has no option \"lighting\""},
      {{"option", "7", "specular", "off"}, "the dialog did not take specular"},  // only when manual
      {{"base-name", "Shot"}, "the dialog did not take the base name"},         // only with a name mode
      {{"frobnicate"}, "unknown command \"frobnicate\""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"layers", file};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const ProgramRun run = RunZurender(args);
    EXPECT_NE(run.status, 0) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(file), kept) << c.message;
  }

  // Files the host cannot use: the error names the file and the field.
  const std::string broken = dir.Path("broken.json");
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"{\"parameterBlock\": ", broken + ": not valid JSON"},
           {"{\"storedList\": \"\"}", broken + ": parameterBlock: missing"}}) {
    WriteFile(broken, text);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"layers", broken, "list"},
                                                std::vector<std::string>{"--settings", broken, "-o", dir.Path("out")}}) {
      const ProgramRun run = RunZurender(args);
      EXPECT_NE(run.status, 0);
      EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
      EXPECT_EQ(ReadFile(broken), text);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("out")));

  // A stored list the plug-in cannot read: it falls back to its default list, and says so.
  auto settings = nlohmann::json::parse(kept);
  settings["storedList"] = "AAAAAAAA";
  WriteFile(broken, settings.dump());
  const ProgramRun render = RunZurender({"--settings", broken, "-o", dir.Path("out"), "--size", "32x24"});
  EXPECT_EQ(render.status, 0) << render.err;
  EXPECT_NE(render.err.find("warning: " + broken + ": the plug-in cannot read its stored layer list and renders its "
                            "default list instead"),
            std::string::npos)
      << render.err;
  EXPECT_EQ(nlohmann::json::parse(ReadFile(dir.Path("out/manifest.json")))["layers"].size(), 1u);
}

TEST(ZurenderLayers, NamesTypedInUtf8ReadTheSameInEveryFileAndMasksAreToldApart) {
  TempFolder dir;
  const std::string file = dir.Path("layers.json");
  ASSERT_EQ(RunZurender({"layers", file, "init", "--preset", "road"}).status, 0);
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"rename", "1", "Diffus \xC3\x89" "clair\xC3\xA9"}, {"rename", "3", "Reflet \xE2\x82\xAC"},
        {"add", "mask"}, {"add", "mask"}, {"option", "5", "mask", "2"}}) {
    std::vector<std::string> args = {"layers", file};
    args.insert(args.end(), command.begin(), command.end());
    ASSERT_EQ(RunZurender(args).status, 0) << command[0];
  }
  // A character the host's code page lacks: refused, named, and the file left as it was.
  const std::string kept = ReadFile(file);
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"rename", "2", "Brume \xE9\x9C\xA7"}, {"base-name", "\xE9\x9C\xA7"}}) {
    std::vector<std::string> args = {"layers", file};
    args.insert(args.end(), command.begin(), command.end());
    const ProgramRun refused = RunZurender(args);
    EXPECT_EQ(refused.status, 1) << command[0];
    EXPECT_NE(refused.err.find("\"\xE9\x9C\xA7\" (U+9727) is not a character of Windows-1252"), std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadFile(file), kept) << command[0];
  }
  const std::vector<std::string> rows = Rows(file);
  EXPECT_EQ(Row(rows, 1), "1 on Diffuse Pack \"Diffus \xC3\x89" "clair\xC3\xA9\" 'norm' lighting automatic, additives automatic");
  EXPECT_EQ(Row(rows, 3), "3 on Specular \"Reflet \xE2\x82\xAC\" 'lddg'");
  // The columns after the name line up, counted in characters.
  EXPECT_EQ(rows[0].find("'norm'") - rows[0].find('"'), rows[1].find("'mul '") - rows[1].find('"') + 2)
      << "\"\xC3\x89\" and \"\xC3\xA9\" take two bytes each and one column";

  TempFolder out;
  ASSERT_EQ(RunZurender({"--settings", file, "-o", out.Path(), "--size", "32x24"}).status, 0);
  const auto manifest = nlohmann::json::parse(ReadFile(out.Path("manifest.json")));
  const auto& layers = manifest["layers"];
  ASSERT_EQ(layers.size(), 5u);
  EXPECT_EQ(layers[0]["name"], "Diffus \xC3\x89" "clair\xC3\xA9");
  EXPECT_EQ(layers[0]["preview"], "layers/01-Diffus-\xC3\x89" "clair\xC3\xA9.png");
  EXPECT_EQ(layers[2]["name"], "Reflet \xE2\x82\xAC");
  EXPECT_EQ(layers[3]["mask"], 32);
  EXPECT_EQ(layers[4]["mask"], 2);
  EXPECT_EQ(layers[4]["name"], "Mask of #");
  EXPECT_FALSE(layers[0].contains("mask"));
  for (const auto& layer : layers)
    EXPECT_TRUE(std::filesystem::is_regular_file(out.Path(layer["preview"].get<std::string>()))) << layer["preview"];
  // The layered file keeps the host's bytes as its Pascal names and the same text as Unicode.
  const Result<PsdDocument> psd = ReadPsd(out.Path("render.psd"));
  ASSERT_TRUE(psd.ok()) << psd.message();
  EXPECT_EQ(psd->layers[0].name, "Diffus \xC9" "clair\xE9");
  EXPECT_EQ(psd->layers[2].name, "Reflet \x80");
  const std::string bytes = ReadFile(out.Path("render.psd"));
  const std::u16string unicode = u"Reflet \u20AC";
  std::string luni;
  for (const char16_t unit : unicode) luni += {char(unit >> 8), char(unit & 0xFF)};
  EXPECT_NE(bytes.find(luni), std::string::npos) << "the euro sign as U+20AC in the Unicode name";
  const Result<ExrDocument> exr = ReadExr(out.Path("render.exr"));
  ASSERT_TRUE(exr.ok()) << exr.message();
  EXPECT_EQ(exr->layers[0].channelPrefix, "Diffus \xC3\x89" "clair\xC3\xA9");
  EXPECT_EQ(exr->layers[2].channelPrefix, "Reflet \xE2\x82\xAC");
  EXPECT_EQ(exr->layers[3].channelPrefix, "Mask of #32");
  EXPECT_EQ(exr->layers[4].channelPrefix, "Mask of #2");
  EXPECT_EQ(exr->layers[4].name, "Mask of #") << "the declared name, from the attribute that lists the layers";
}

TEST(ZurenderLayers, AListThePluginCannotReadOrThatCountsPastItsBytesIsLeftAsItWas) {
  TempFolder dir;
  const std::string file = dir.Path("layers.json");
  ASSERT_EQ(RunZurender({"layers", file, "init"}).status, 0);
  auto settings = nlohmann::json::parse(ReadFile(file));
  const std::string stored = settings["storedList"];
  // A list that does not start with 'LYER' falls back to the default list; one whose count (bytes
  // 6 to 9, after the base name " ") says 16390 reads on into the zeros past its bytes.
  const struct {
    std::string list, message;
  } cases[] = {
      {"AAAAAAAA", "the plug-in cannot read its stored layer list and would show its default list instead; the file is "
                   "unchanged (zurender layers " + file + " init replaces it)"},
      {stored.substr(0, 8) + "AABA" + stored.substr(12), "storedList: the list counts 16390 layers, but its 221 bytes hold 6: the file is damaged"},
  };
  for (const auto& c : cases) {
    settings["storedList"] = c.list;
    WriteFile(file, settings.dump());
    for (const char* command : {"list", "add"}) {
      const ProgramRun run = RunZurender({"layers", file, command, "lights"});
      EXPECT_EQ(run.status, 1) << command;
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
      EXPECT_EQ(ReadFile(file), settings.dump());
    }
  }
  EXPECT_EQ(RunZurender({"layers", file, "init"}).status, 0) << "init replaces it on purpose";
  // An edit through a symbolic link writes the file it names and keeps the link.
  std::filesystem::create_symlink("layers.json", dir.Path("link.json"));
  ASSERT_EQ(RunZurender({"layers", dir.Path("link.json"), "add", "lights"}).status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.json")));
  EXPECT_NE(ReadFile(file).find(nlohmann::json::parse(ReadFile(dir.Path("link.json")))["storedList"].get<std::string>()),
            std::string::npos);
  EXPECT_NE(ReadFile(file), settings.dump());
}

}  // namespace
}  // namespace zurender
