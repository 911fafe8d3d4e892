// zurender as its user runs it: renders, and the files an editor opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <nlohmann/json.hpp>

#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfStringVectorAttribute.h>

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
  TempFolder scenes;
  // The closed room with lights twelve times as bright and a glowing lamp: values in the hundreds,
  // whose float rounding passes 2e-4 in absolute terms.
  std::string bright = ReadFile(DataFile("closed-room.json"));
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"\"intensity\": 0.9", "\"intensity\": 11"}, {"\"luminance\": [1.5, 1.2, 0.8]", "\"luminance\": [600, 500, 400]"}})
    bright.replace(bright.find(from), from.size(), to);
  WriteFile(scenes.Path("bright.json"), bright);
  for (const std::string& scene : {std::string(), DataFile("closed-room.json"), scenes.Path("bright.json")}) {
    TempFolder dir;
    std::vector<std::string> args = {"-o", dir.Path(), "--size", "64x48", "--layers", "exact"};
    if (!scene.empty()) args.insert(args.begin(), scene);
    const ProgramRun render = RunZurender(args);
    ASSERT_EQ(render.status, 0) << render.err;
    EXPECT_NE(render.out.find("the layers rebuild the render"), std::string::npos) << render.out;
    EXPECT_EQ(RunZurender({"check", dir.Path()}).status, 0) << scene;

    // A difference of 2e-4 in one layer at a pixel of value near 1, and the stack no longer
    // rebuilds the render.
    Result<ExrDocument> exr = ReadExr(dir.Path("render.exr"));
    ASSERT_TRUE(exr.ok());
    std::size_t pixel = 0;
    while (pixel + 1 < exr->merged.size() && !(exr->merged[pixel].green > 0.5f && exr->merged[pixel].green <= 1.0f)) ++pixel;
    std::vector<LayerView> views;
    for (ExrLayer& layer : exr->layers) {
      if (layer.name == "Specular") layer.pixels[pixel].green += 2e-4f;
      views.push_back(LayerView{layer.name, layer.blendKey, layer.visible, layer.pixels});
    }
    ASSERT_TRUE(WriteExr(dir.Path("render.exr"), ExrImage{exr->width, exr->height, views, ExrCompression::kZip, exr->merged}).ok());
    const ProgramRun altered = RunZurender({"check", dir.Path()});
    EXPECT_EQ(altered.status, 1) << altered.out;
    EXPECT_NE(altered.out.find("do not rebuild"), std::string::npos) << altered.out;
  }
  // Half floats rebuild it to their own precision.
  TempFolder half;
  const ProgramRun render = RunZurender({"-o", half.Path(), "--size", "64x48", "--layers", "exact", "--exr-half"});
  ASSERT_EQ(render.status, 0) << render.err;
  EXPECT_NE(render.out.find("render.exr  half"), std::string::npos) << render.out;
  EXPECT_NE(render.out.find("the layers rebuild the render"), std::string::npos) << render.out;
}

// The EXR as a compositor reads it, with none of the check's code: colour premultiplied by
// alpha, each layer over ('norm'), added to ('lddg') or multiplied with ('mul ') what lies beneath.
TEST(Zurender, TheExactExrRebuildsTheRenderWithPremultipliedOverAndSums) {
  for (const std::string& scene : {std::string(), ExampleFile("mesh-scene.json")}) {
    TempFolder dir;
    std::vector<std::string> args = {"-o", dir.Path(), "--size", "64x48", "--layers", "exact"};
    if (!scene.empty()) args.insert(args.begin(), scene);
    ASSERT_EQ(RunZurender(args).status, 0);
    Imf::InputFile file(dir.Path("render.exr").c_str());
    const Imath::Box2i window = file.header().dataWindow();
    const int width = window.max.x + 1, height = window.max.y + 1;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    const auto& prefixes = file.header().typedAttribute<Imf::StringVectorAttribute>("zurender.layerChannels").value();
    const auto& keys = file.header().typedAttribute<Imf::StringVectorAttribute>("zurender.blendKeys").value();
    std::vector<std::string> planes = {""};
    planes.insert(planes.end(), prefixes.begin(), prefixes.end());
    std::vector<std::vector<float>> values(planes.size(), std::vector<float>(count * 4));
    Imf::FrameBuffer frame;
    for (std::size_t i = 0; i < planes.size(); ++i)
      for (int c = 0; c < 4; ++c)
        frame.insert((planes[i].empty() ? "" : planes[i] + ".") + "RGBA"[c],
                     Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(values[i].data() + c), 4 * sizeof(float),
                                4 * sizeof(float) * std::size_t(width)));
    file.setFrameBuffer(frame);
    file.readPixels(0, height - 1);

    std::vector<float> out(count * 4, 0.0f);
    for (std::size_t i = prefixes.size(); i-- > 0;) {
      const std::vector<float>& layer = values[i + 1];
      double least = 1, most = 0;
      std::size_t fogAboveAlpha = 0;
      for (std::size_t p = 0; p < count * 4; p += 4) {
        const float a = layer[p + 3];
        least = std::min(least, double(a));
        most = std::max(most, double(a));
        for (int c = 0; c < 4; ++c) {
          float& o = out[p + std::size_t(c)];
          const float v = layer[p + std::size_t(c)];
          if (keys[i] == "norm") {
            o = v + (1.0f - a) * o;
          } else if (c < 3) {  // the passes are opaque: alpha stays the stack's
            o = keys[i] == "lddg" ? o + v : keys[i] == "mul " ? o * v : o;
          }
        }
        fogAboveAlpha += prefixes[i] == "Fog" && layer[p] > a;
      }
      EXPECT_EQ(fogAboveAlpha, 0u) << "fog colour is at most 1, times its alpha";
      const bool coverage = prefixes[i] == "Fog" || prefixes[i] == "Diffuse Pack";
      EXPECT_TRUE(prefixes[i] != "Fog" || least < 0.5) << "the fog is partly clear";
      EXPECT_TRUE(coverage || least == 1.0) << prefixes[i] << " is opaque";
      EXPECT_LE(most, 1.0) << prefixes[i];
    }
    double worst = 0;
    for (std::size_t p = 0; p < count * 4; ++p)
      if (p % 4 != 3) worst = std::max(worst, double(std::fabs(out[p] - values[0][p])));
    EXPECT_LT(worst, 2e-4) << scene;
  }
}

TEST(Zurender, ACheckThatCannotReadItsFilesIsNoPass) {
  TempFolder folder;
  const std::string dir = folder.Path("out");
  ASSERT_EQ(RunZurender({"-o", dir, "--size", "32x24", "--layers", "exact"}).status, 0);
  const std::string psd = ReadFile(dir + "/render.psd");
  for (const auto& [file, text] : std::vector<std::pair<std::string, std::string>>{
           {"render.psd", psd.substr(0, psd.size() / 2)}, {"render.exr", "not an EXR"}}) {
    const std::string kept = ReadFile(dir + "/" + file);
    WriteFile(dir + "/" + file, text);
    const ProgramRun check = RunZurender({"check", dir});
    EXPECT_EQ(check.status, 3) << file;
    EXPECT_NE(check.err.find("cannot check the render: cannot read " + dir + "/" + file), std::string::npos) << check.err;
    EXPECT_EQ(check.out.find("rebuild"), std::string::npos) << check.out;
    WriteFile(dir + "/" + file, kept);
  }
  EXPECT_EQ(RunZurender({"check", dir}).status, 0) << "the files put back";
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
  ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);  // the EXR's creation time
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
