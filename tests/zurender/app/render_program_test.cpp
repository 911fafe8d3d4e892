// zurender as its user runs it: renders, and the files an editor opens.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "zurender/output/exr_reader.h"
#include "zurender/output/exr_writer.h"
#include "zurender/output/psd_reader.h"
#include "zurender_run.h"

namespace zurender {
namespace {

using namespace zurender::testing;
namespace fs = std::filesystem;

bool HaveImageMagick() { return std::system("identify -version >/dev/null 2>&1") == 0; }

nlohmann::json Manifest(const std::string& dir) { return nlohmann::json::parse(ReadFile(dir + "/manifest.json")); }

TEST(Zurender, RendersEveryKindIntoALayeredFileThatImageMagickReads) {
  TempFolder dir;
  const ProgramRun run = RunZurender({"-o", dir.Path("out"), "--size", "64x48", "--layers", "all"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("zurender: 64x48, 16 layers"), std::string::npos) << run.out;
  const nlohmann::json manifest = Manifest(dir.Path("out"));
  for (const auto& file : manifest["files"]) EXPECT_TRUE(fs::is_regular_file(dir.Path("out/" + file.get<std::string>()))) << file;
  const auto& layers = manifest["layers"];
  ASSERT_EQ(layers.size(), 16u);
  EXPECT_EQ(layers[0]["name"], "Edge Mask");
  EXPECT_EQ(layers[15]["name"], "Diffuse Pack");
  EXPECT_EQ(layers[15]["filledBy"], "plug-in");

  if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick's identify is missing";
  // ImageMagick lists the merged image first, then the layers bottom-first.
  const std::string psd = dir.Path("out/render.psd");
  const std::vector<std::string> lines = CommandLines("identify -format '%[compose]|%l|%z\\n' '" + psd + "'");
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0].substr(lines[0].rfind('|')), "|16") << "depth";
  int finalIndex = -1;
  for (std::size_t i = 0; i < 16; ++i) {
    const auto& layer = layers[15 - i];
    const std::string key = layer["blendKey"], name = layer["name"];
    const std::string compose = !layer["visible"].get<bool>() ? "None"
                                : key == "norm"               ? "Over"
                                : key == "mul "               ? "Multiply"
                                : key == "lddg"               ? "LinearDodge"
                                                              : "?";
    EXPECT_EQ(lines[i + 1], compose + "|" + name + "|16") << "layer " << i;
    if (name == "Final Render") finalIndex = int(i) + 1;
  }
  ASSERT_GT(finalIndex, 0);
  // The merged image is the Final Render.
  const std::vector<std::string> differing = CommandLines("compare -metric AE '" + psd + "[0]' '" + psd + "[" +
                                                          std::to_string(finalIndex) + "]' null: 2>&1");
  ASSERT_FALSE(differing.empty());
  EXPECT_EQ(differing[0], "0");

  // Alpha goes into the PSD's transparency channel and the EXR's A: the fog layer is partly clear.
  const Result<PsdDocument> read = ReadPsd(psd);
  const Result<ExrDocument> exr = ReadExr(dir.Path("out/render.exr"));
  ASSERT_TRUE(read.ok() && exr.ok());
  const std::size_t fog = 2;
  ASSERT_EQ(read->layers[fog].name, "Fog");
  ASSERT_EQ(exr->layers[fog].name, "Fog");
  double least = 1;
  for (std::size_t p = 0; p < exr->layers[fog].pixels.size(); ++p) {
    const float a = exr->layers[fog].pixels[p].alpha;
    least = std::min(least, double(a));
    EXPECT_NEAR(read->layers[fog].pixels[p].alpha, a, 1.0 / 65535) << "pixel " << p;
  }
  EXPECT_LT(least, 0.5) << "the fog is light";
  EXPECT_GT(least, 0.0);
}

TEST(Zurender, DefaultPackIsTheRenderBeforeFogBitForBit) {
  TempFolder dir;
  const ProgramRun run = RunZurender({DataFile("closed-room.json"), "-o", dir.Path(), "--size", "64x48"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Result<ExrDocument> exr = ReadExr(dir.Path("render.exr"));
  ASSERT_TRUE(exr.ok()) << exr.message();
  ASSERT_EQ(exr->layers.size(), 1u);
  ASSERT_EQ(exr->layers[0].name, "Diffuse Pack");
  const auto& pack = exr->layers[0].pixels;
  ASSERT_EQ(pack.size(), exr->merged.size());
  for (std::size_t p = 0; p < pack.size(); ++p) {
    const float a[3] = {pack[p].red, pack[p].green, pack[p].blue};
    const float b[3] = {exr->merged[p].red, exr->merged[p].green, exr->merged[p].blue};
    ASSERT_EQ(std::memcmp(a, b, sizeof a), 0) << "pixel " << p;
  }
}

TEST(Zurender, TheExactStackRebuildsTheRenderWithFogAndWithout) {
  for (const std::string& scene : {std::string(), DataFile("closed-room.json")}) {
    TempFolder dir;
    std::vector<std::string> args = {"-o", dir.Path(), "--size", "64x48", "--layers", "exact"};
    if (!scene.empty()) args.insert(args.begin(), scene);
    const ProgramRun render = RunZurender(args);
    ASSERT_EQ(render.status, 0) << render.err;
    EXPECT_NE(render.out.find("the layers rebuild the render"), std::string::npos) << render.out;
    EXPECT_EQ(RunZurender({"check", dir.Path()}).status, 0) << scene;

    // One layer altered, and the stack no longer rebuilds the render.
    Result<ExrDocument> exr = ReadExr(dir.Path("render.exr"));
    ASSERT_TRUE(exr.ok());
    std::vector<LayerView> views;
    for (ExrLayer& layer : exr->layers) {
      if (layer.name == "Specular") layer.pixels[100].green += 0.01f;
      views.push_back(LayerView{layer.name, layer.blendKey, layer.visible, layer.pixels});
    }
    ASSERT_TRUE(WriteExr(dir.Path("render.exr"),
                         ExrImage{exr->width, exr->height, views, ExrCompression::kRle, exr->merged})
                    .ok());
    const ProgramRun altered = RunZurender({"check", dir.Path()});
    EXPECT_EQ(altered.status, 1) << altered.out;
    EXPECT_NE(altered.out.find("do not rebuild"), std::string::npos) << altered.out;
  }
}

TEST(Zurender, TheRoadListReportsWhatKeepsItFromRebuildingTheRender) {
  TempFolder dir;
  ASSERT_EQ(RunZurender({"-o", dir.Path(), "--size", "64x48", "--layers", "road"}).status, 0);
  const ProgramRun check = RunZurender({"check", dir.Path()});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find("\"Diffuse Pack\" is an opaque normal layer: it covers the 2 shown layer(s)"),
            std::string::npos)
      << check.out;
  EXPECT_NE(check.out.find("the scene's fog is in no layer"), std::string::npos) << check.out;
}

TEST(Zurender, RendersASceneFileWithAnObjMesh) {
  TempFolder dir;
  const ProgramRun run = RunZurender({ExampleFile("mesh-scene.json"), "-o", dir.Path(), "--size", "64x48"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Manifest(dir.Path())["scene"], ExampleFile("mesh-scene.json"));
}

TEST(Zurender, RefusesBadInputWithOneMessageAndWritesNothing) {
  TempFolder dir;
  WriteFile(dir.Path("bad.json"), "{\"camera\": {\"fov\": 500}}");
  WriteFile(dir.Path("nomesh.json"), "{\"objects\": [{\"type\": \"mesh\", \"file\": \"gone.obj\"}]}");
  WriteFile(dir.Path("a-file"), "");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{dir.Path("bad.json")}, dir.Path("bad.json") + ": camera.fov: expected a number between 1 and 179"},
      {{dir.Path("nomesh.json")}, dir.Path("nomesh.json") + ": objects[0].file: cannot read mesh \"gone.obj\""},
      {{dir.Path("missing.json")}, dir.Path("missing.json") + ": cannot read scene file"},
      {{"-o", dir.Path("a-file/out")}, dir.Path("a-file/out")},
      {{"--size", "0x5"}, "--size: expected WIDTHxHEIGHT"},
      {{"--layers", "most"}, "unknown preset \"most\""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    if (std::find(args.begin(), args.end(), "-o") == args.end()) args.insert(args.end(), {"-o", dir.Path("out")});
    const ProgramRun run = RunZurender(args);
    EXPECT_NE(run.status, 0) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(fs::exists(dir.Path("out"))) << c.message;
  }
}

TEST(Zurender, TheSameRenderTwiceGivesTheSameFiles) {
  TempFolder dir;
  for (const char* out : {"one", "two"})
    ASSERT_EQ(RunZurender({"-o", dir.Path(out), "--size", "64x48", "--layers", "all"}).status, 0);
  std::size_t compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir.Path("one"))) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), dir.Path("one")).string();
    std::string one = ReadFile(entry.path().string()), two = ReadFile(dir.Path("two/" + relative));
    if (relative == "manifest.json") {
      auto a = nlohmann::json::parse(one), b = nlohmann::json::parse(two);
      a.erase("timings");
      b.erase("timings");
      one = a.dump();
      two = b.dump();
    }
    EXPECT_TRUE(one == two) << relative;
    ++compared;
  }
  EXPECT_EQ(compared, 20u);
}

}  // namespace
}  // namespace zurender
