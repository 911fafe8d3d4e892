#include "zurender/scene/scene_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "zurender/scene/obj_mesh.h"
#include "zurender/trace/tracer.h"

namespace zurender {
namespace {

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(SceneFile, ErrorsNameTheFileAndTheField) {
  const std::string room = WriteFile("room.json", "");
  struct Case {
    const char* text;
    std::string error;
  };
  const Case cases[] = {
      {R"({"materials": {"red": {}}, "objects": [{"type": "plane"}, {"type": "sphere", "material": "chrome"}]})",
       room + ": objects[1].material: unknown material \"chrome\""},
      {R"({"camera": {"fov": 180}})", room + ": camera.fov: expected a number between 1 and 179"},
      {R"({"objects": [{"type": "mesh", "file": "no-such.obj"}]})",
       room + ": objects[0].file: cannot read mesh \"no-such.obj\": No such file or directory"},
      {R"({"lights": [{"position": [0, 1]}]})",
       room + ": lights[0].position: expected an array of 3 numbers between -1e+06 and 1e+06"},
      {R"({"materials": {"red": {"color": [1, 0, 0]}}})",
       room + ": materials.red: unknown key \"color\" (colours are spelt \"colour\")"},
      {R"({"objects": [{"type": "box", "min": [0, 0, 0], "max": [1, -1, 1]}]})",
       room + ": objects[0].max: must be greater than min on every axis"},
      {R"({"objects": [{"type": "sphere", "radius": "big"}]})",
       room + ": objects[0].radius: expected a number above 0 and at most 1e+06"},
      {R"({"camera": {"position": [0, 1, 0], "lookAt": [0, 1, 0]}})",
       room + ": camera.lookAt: must differ from camera.position"},
      {"{\"objects\": [", room + ": parse error at line 1, column 14"},
  };
  for (const Case& c : cases) {
    WriteFile("room.json", c.text);
    const Result<Scene> loaded = LoadSceneFile(room);
    ASSERT_FALSE(loaded.ok()) << c.text;
    EXPECT_EQ(loaded.message().substr(0, c.error.size()), c.error) << c.text;
  }
  const Result<Scene> missing = LoadSceneFile(room + ".absent");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.message(), room + ".absent: cannot read scene file: No such file or directory");
  std::filesystem::create_directory(room + ".dir");
  EXPECT_FALSE(LoadSceneFile(room + ".dir").ok());
}

TEST(SceneFile, BadMeshesAreErrorsOfTheirField) {
  const std::string scene = WriteFile("meshes.json", R"({"objects": [{"type": "mesh", "file": "bad.obj"}]})");
  const std::string prefix = scene + ": objects[0].file: mesh \"bad.obj\"";
  for (const char* obj : {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n", "v 0 0 0\n", "v 0 0 0\nv 1 0 0\nf 1 2\n"}) {
    WriteFile("bad.obj", obj);
    const Result<Scene> loaded = LoadSceneFile(scene);
    ASSERT_FALSE(loaded.ok()) << obj;
    EXPECT_EQ(loaded.message().substr(0, prefix.size()), prefix) << obj;
  }
}

TEST(SceneFile, LoadsTheExampleMeshSceneAndItRenders) {
  const Result<Scene> loaded = LoadSceneFile(ZURENDER_EXAMPLES_DIR "/mesh-scene.json");
  ASSERT_TRUE(loaded.ok()) << loaded.message();
  const Scene& scene = loaded.value();
  std::vector<bool> isMesh(scene.objects.size());
  for (std::size_t i = 0; i < scene.objects.size(); ++i) {
    if (const auto* m = std::get_if<Mesh>(&scene.objects[i].shape)) {
      isMesh[i] = true;
      ASSERT_TRUE(m->data);
      EXPECT_EQ(m->data->triangles.size(), 24u) << "six quads and twelve triangles";
    }
  }
  ASSERT_EQ(std::count(isMesh.begin(), isMesh.end(), true), 2);
  // The mesh shows in a small render of the scene.
  const Tracer tracer(scene, 64, 48);
  std::vector<LightSample> lights(static_cast<std::size_t>(tracer.LightCount()));
  std::uint64_t rays = 0;
  int meshPixels = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      PixelShade shade;
      tracer.Shade(x, y, shade, lights.data(), rays);
      meshPixels += shade.objectId >= 0 && isMesh[static_cast<std::size_t>(shade.objectId)];
    }
  }
  EXPECT_GT(meshPixels, 20);
}

TEST(SceneFile, WhatTheReaderWouldTakeSilentlyIsRefusedOrReadAsWritten) {
  const std::string scene = WriteFile("strict.json", "");
  const std::string room = scene + ": ";
  const struct {
    std::string text;
    std::string error;  // "" for a scene that loads
  } cases[] = {
      {R"({"camera": {"fov": 40, "fov": 50}})", room + "camera: duplicate key \"fov\""},
      {R"({"objects": [{"type": "sphere"}, {"type": "sphere", "radius": 1, "radius": 2}]})",
       room + "objects[1]: duplicate key \"radius\""},
      {R"({"objects": [{"type": "plane", "normal": [1e-30, 0, 0]}]})", ""},
      {"{\"objects\": [{\"name\": \"" + std::string(100000, 'a') + "\xff\"}]}", room + "parse error at line 1"},
  };
  for (const auto& c : cases) {
    WriteFile("strict.json", c.text);
    const Result<Scene> loaded = LoadSceneFile(scene);
    EXPECT_EQ(loaded.ok(), c.error.empty()) << loaded.message();
    EXPECT_EQ(loaded.message().substr(0, c.error.size()), c.error);
    EXPECT_LT(loaded.message().size(), 300u) << "one short line";
  }
  const Result<Scene> tiny = ParseSceneText(cases[2].text, "tiny.json", ".");
  ASSERT_TRUE(tiny.ok());
  EXPECT_EQ(std::get<Plane>(tiny->objects[0].shape).normal.x, 1.0f) << "made unit length";
}

TEST(SceneFile, ObjNumbersAndCornersAreCheckedAndAMeshNamedTwiceIsReadOnce) {
  const char* prefix = "mesh \"m.obj\": ";
  const struct {
    const char* obj;
    const char* error;
  } cases[] = {
      {"v nan 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", "line 1: a vertex has \"nan\", which is not a finite number"},
      {"v 0 0 0\nv inf 0 0\nv 0 1 0\nf 1 2 3\n", "line 2: a vertex has \"inf\", which is not a finite number"},
      {"v a b c\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", "line 1: a vertex has \"a\", which is not a finite number"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/ 2// 3///\n", "line 4: a face corner \"1/\" is not v, v/vt, v//vn or v/vt/vn"},
      {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n", "a face refers to a vertex that does not exist"},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseObjMesh(c.obj, "m.obj").message(), std::string(prefix) + c.error);
  EXPECT_TRUE(ParseObjMesh("v +1 0 0 # a comment\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2//1 -1\n", "m.obj").ok());

  int reads = 0;
  const MeshFileReader table = [&](const std::string& path, std::uint64_t) -> Result<std::string> {
    ++reads;
    if (path != "dir/m.obj") return Status::Error("No such file or directory");
    return std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
  };
  const Result<Scene> twice = ParseSceneText(
      R"({"objects": [{"type": "mesh", "file": "m.obj"}, {"type": "mesh", "file": "m.obj", "scale": 2}]})", "s.json", "dir",
      table);
  ASSERT_TRUE(twice.ok()) << twice.message();
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(std::get<Mesh>(twice->objects[0].shape).data, std::get<Mesh>(twice->objects[1].shape).data);
  EXPECT_EQ(twice->meshFiles, std::vector<std::string>{"dir/m.obj"});
}

}  // namespace
}  // namespace zurender
