#include "zurender/app/render_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>
#include <optional>
#include <set>

#include "zurender/base/atomic_file.h"
#include "zurender/base/emulation.h"
#include "zurender/base/file_system.h"
#include "zurender/base/staged_files.h"
#include "zurender/base/stale_temporaries.h"
#include "zurender/base/temporary_files.h"
#include "zurender/check/render_folder.h"
#include "zurender/dialog/presets.h"
#include "zurender/pipeline/frame.h"
#include "zurender/pipeline/job_memory.h"
#include "zurender/pipeline/layer_kinds.h"
#include "zurender/pipeline/manifest.h"
#include "zurender/pipeline/output_directory.h"
#include "zurender/pipeline/outputs.h"
#include "zurender/pipeline/parallel.h"
#include "zurender/pipeline/plugin_session.h"
#include "zurender/pipeline/render_job.h"
#include "zurender/pipeline/shading_source.h"
#include "zurender/scene/builtin_scene.h"
#include "zurender/scene/scene_file.h"
#include "zurender/settings/stored_list_check.h"
#include "zurender/trace/geometry.h"
#include "zurender/trace/tracer.h"

namespace zurender {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

int Fail(const std::string& message) {
  std::fprintf(stderr, "zurender: %s\n", message.c_str());
  return 1;
}

Status WriteText(const std::string& path, const std::string& text) {
  AtomicFile file;
  if (Status s = file.Open(path); !s.ok()) return s;
  if (Status s = file.Write(text.data(), text.size()); !s.ok()) return s;
  return file.Commit();
}

// What the scene's meshes hold already, each once however many objects place it.
std::uint64_t MeshBytes(const Scene& scene) {
  std::set<const TriangleMesh*> counted;
  std::uint64_t bytes = 0;
  for (const Object& object : scene.objects)
    if (const auto* mesh = std::get_if<Mesh>(&object.shape); mesh != nullptr && mesh->data && counted.insert(mesh->data.get()).second)
      bytes += mesh->data->positions.size() * sizeof(Vec3) + mesh->data->normals.size() * sizeof(Vec3) +
               mesh->data->triangles.size() * sizeof(mesh->data->triangles[0]);
  return bytes;
}

std::string FilledBy(const FrameLayer& layer) {
  const bool host = layer.info.component >= 1 || IsMask(layer.info) || IsEdgeMask(layer.info);
  if (layer.pluginWrites == 0) return host ? "host" : "nobody";
  return host ? "host, then plug-in" : "plug-in";
}

// The time the files say they were made: now, or SOURCE_DATE_EPOCH when it is set, so that the
// same render can give the same files.
std::int64_t CreationTime() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (*end == '\0' && seconds >= 0) return seconds;
  }
  return std::int64_t(std::time(nullptr));
}

// The scene to render: the built-in one, or a file's.
bool LoadScene(const RenderOptions& options, std::optional<Scene>& scene, std::string& name, std::string& error) {
  if (options.scenePath.empty()) {
    scene = BuiltInScene();
    name = "built-in";
    return true;
  }
  Result<Scene> loaded = LoadSceneFile(options.scenePath);
  if (!loaded.ok()) {
    error = loaded.message();
    return false;
  }
  scene = std::move(loaded.value());
  name = options.scenePath;
  return true;
}

// The settings the plug-in is initialized with: a file's, a preset's made through the Layers
// dialog, or none, when the plug-in renders its default list.
bool ChooseSettings(const RenderOptions& options, PluginHost& host, PluginSettings& settings, std::string& source,
                    std::string& error) {
  source = "default";
  if (!options.settingsPath.empty()) {
    const ParsedSettings read = ReadSettingsFile(options.settingsPath);
    if (!read.error.empty()) {
      error = read.error;
      return false;
    }
    settings = read.settings;
    source = "file " + options.settingsPath;
    if (!PluginTakesStoredList(settings.storedList))
      std::fprintf(stderr, "zurender: warning: %s: the plug-in cannot read its stored layer list and renders its "
                   "default list instead\n", options.settingsPath.c_str());
  } else if (!options.preset.empty()) {
    if (!MakePresetSettings(host, options.preset, settings, error)) {
      error = "--layers " + options.preset + ": " + error;
      return false;
    }
    source = "preset " + options.preset;
  }
  return true;
}

Manifest MakeManifest(const RenderOptions& options, const Frame& frame, const std::vector<DeclaredLayer>& declared,
                      const PluginSettings& settings, const WrittenOutputs& written) {
  Manifest manifest;
  manifest.width = options.width;
  manifest.height = options.height;
  manifest.depth = options.depth;
  manifest.settings = settings;
  const std::vector<std::string> kinds = DeclaredKinds(declared, settings);
  for (std::size_t i = 0; i < frame.layers().size(); ++i) {
    const FrameLayer& layer = frame.layers()[i];
    manifest.layers.push_back(ManifestLayer{layer.info.name, kinds[i], layer.info.blendKey, layer.info.component,
                                            FilledBy(layer), !HiddenInStack(layer.info),
                                            i < written.previews.size() ? written.previews[i] : "",
                                            MaskNumber(layer.info)});
  }
  manifest.files = written.files;
  manifest.files.push_back("manifest.json");
  return manifest;
}

// A file the run reads or writes, and what it is to the person running it.
struct RunFile {
  std::string path;
  std::string role;
};

bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
  const fs::path x = fs::weakly_canonical(a, error), y = fs::weakly_canonical(b, error);
  return !error && x == y;
}

// Why the run would write over one of its own inputs or write one file twice, or "".
std::string Collision(const std::vector<RunFile>& reads, const std::vector<RunFile>& writes) {
  for (std::size_t w = 0; w < writes.size(); ++w) {
    for (const RunFile& read : reads)
      if (!read.path.empty() && SameFile(writes[w].path, read.path))
        return writes[w].role + " " + writes[w].path + " is " + read.role + " " + read.path +
               ": the render would write over it";
    for (std::size_t other = 0; other < w; ++other)
      if (SameFile(writes[w].path, writes[other].path))
        return writes[w].role + " " + writes[w].path + " is also " + writes[other].role + ": give each its own file";
  }
  return "";
}

// The lights' records, their colours and the tracer's own copy of each light.
constexpr std::uint64_t kBytesPerLight = 192;

// The folders a run made for its files: removed again, where they are empty, unless the run put
// its files in them, so that a failed or interrupted run into a new folder leaves nothing behind.
class MadeFolders {
 public:
  MadeFolders() = default;
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;
  ~MadeFolders() {
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) RemoveEmptyFolder(*folder);
    Keep();
  }
  std::vector<std::string>* list() { return &folders_; }
  void Register() {
    for (const std::string& folder : folders_) RegisterMadeFolder(folder);
  }
  void Keep() {
    for (const std::string& folder : folders_) ForgetMadeFolder(folder);
    folders_.clear();
  }

 private:
  std::vector<std::string> folders_;
};

// One render, gathered step by step. Declared in the order the steps make them, so that what
// goes first on a failure is what came last: the frame before the plug-in's session.
struct Job {
  explicit Job(const RenderOptions& o) : options(o) {}
  const RenderOptions& options;
  const Clock::time_point start = Clock::now();
  MadeFolders madeFolders;  // goes last, once the files it may hold are gone
  std::optional<Scene> scene;
  std::unique_ptr<ShadingRecord> replay;  // the host's answers of an earlier render, in place of a scene
  std::string sceneName, settingsSource, pluginPath;
  PluginHost host;
  PluginSettings settings;
  std::optional<PluginSession> plugin;
  std::vector<DeclaredLayer> declared;
  JobMemory memory;
  int threads = 0;
  std::unique_ptr<Frame> frame;
  std::optional<Tracer> tracer;
  std::unique_ptr<ShadingSource> traced;
  std::unique_ptr<ShadingRecord> record;  // what the render answers, kept for --record-shading
  ShadingSource* shading = nullptr;       // the replay, the record or the tracer
  bool fog = false;
  FrameStats stats;
  double writeSeconds = 0;
  double checkSeconds = 0;
  std::size_t layerCount = 0;
};

// The scene, or the recording replayed in its place.
Status TakeScene(Job& job) {
  const RenderOptions& options = job.options;
  std::string error;
  if (!options.replayShading.empty()) {
    job.replay = ShadingRecord::Read(options.replayShading, options.width, options.height, error);
    if (job.replay == nullptr) return Status::Error(error);
    job.sceneName = "replayed from " + options.replayShading;
  } else if (!LoadScene(options, job.scene, job.sceneName, error)) {
    return Status::Error(error);
  }
  return Status();
}

// The plug-in loaded, given its settings, and the layers it declares.
Status BeginPlugin(Job& job) {
  const RenderOptions& options = job.options;
  std::string error;
  if (!options.preset.empty() && !IsPreset(options.preset))
    return Status::Error("--layers: unknown preset \"" + options.preset + "\"; the presets: default, road, exact, all");
  job.pluginPath = options.pluginPath.empty() ? DefaultPluginPath() : options.pluginPath;
  if (!job.host.Load(job.pluginPath, error) || !ChooseSettings(options, job.host, job.settings, job.settingsSource, error))
    return Status::Error(error);
  job.plugin.emplace(job.host);
  if (!job.plugin->Begin(job.settings, job.declared, error)) return Status::Error(error);
  if (job.declared.size() > MaxOutputLayers())
    return Status::Error("the plug-in declared " + std::to_string(job.declared.size()) +
                         " layers, and the files hold at most " + std::to_string(MaxOutputLayers()) +
                         "; nothing was rendered");
  return Status();
}

// What the job will hold, against what this 32-bit program can; the threads that fit.
Status FitMemory(Job& job) {
  const RenderOptions& options = job.options;
  const std::size_t lightCount = job.replay ? std::size_t(job.replay->LightCount()) : job.scene->lights.size();
  const std::uint64_t pixels = std::uint64_t(options.width) * std::uint64_t(options.height);
  if (!options.recordShading.empty() && lightCount > ShadingRecord::kMostRecordedLights)
    return Status::Error("--record-shading: a recording holds at most " +
                         std::to_string(ShadingRecord::kMostRecordedLights) + " lights, and the scene has " +
                         std::to_string(lightCount));
  JobMemory& memory = job.memory;
  memory.frame = Frame::BytesNeeded(options.width, options.height, job.declared.size());
  memory.scene =
      lightCount * kBytesPerLight + (job.scene ? Geometry::BytesNeeded(*job.scene) + MeshBytes(*job.scene) : 0);
  memory.perWorker = WorkerBytes(job.declared.size(), lightCount);
  if (!options.recordShading.empty()) memory.extras += pixels * (sizeof(PixelShade) + lightCount * sizeof(LightSample));
  if (!options.pluginWrites.empty()) memory.extras += pixels * job.declared.size() * (sizeof(ColourValue) + 1);
  const int wanted = options.threads > 0 ? options.threads : CoreCount();
  job.threads = memory.ThreadsThatFit(wanted);
  if (job.threads == 0)
    return Status::Error("this render needs about " + memory.Describe(1) + ", more than this 32-bit program can hold (" +
                         MebibyteText(kJobMemoryBudget) + "); render it smaller, with fewer layers or a lighter scene");
  if (job.threads < wanted)
    std::fprintf(stderr, "zurender: %d threads would need %s, more than this 32-bit program can hold; tracing on %d\n",
                 wanted, memory.Describe(wanted).c_str(), job.threads);
  return Status();
}

// The files it writes must be none it reads, each its own, and nothing may stand in their way.
Status RefuseCollisions(Job& job) {
  const RenderOptions& options = job.options;
  std::vector<RunFile> reads = {{options.scenePath, "the scene file"}, {options.settingsPath, "the settings file"},
                                {options.replayShading, "the recording replayed"}, {job.pluginPath, "the plug-in"}};
  if (job.scene)
    for (const std::string& mesh : job.scene->meshFiles) reads.push_back({mesh, "a mesh of the scene"});
  std::vector<RunFile> writes;
  for (const std::string& file : OutputFiles(job.declared)) writes.push_back({options.outDir + "/" + file, "the output file"});
  if (!options.recordShading.empty()) writes.push_back({options.recordShading, "--record-shading"});
  if (!options.pluginWrites.empty()) writes.push_back({options.pluginWrites, "--plugin-writes"});
  if (const std::string why = Collision(reads, writes); !why.empty()) return Status::Error(why);
  for (const RunFile& write : writes)
    if (const std::string why = StagedFiles::Obstacle(write.path); !why.empty())
      return Status::Error("cannot write " + write.path + ": " + why);
  return Status();
}

// The frame and the tracer take their memory now, before the output folder is made.
Status TakeMemory(Job& job) {
  const RenderOptions& options = job.options;
  std::string error;
  job.frame = Frame::Allocate(options.width, options.height, job.declared, error);
  if (job.frame == nullptr) return Status::Error(error);
  if (!options.pluginWrites.empty()) job.frame->KeepPluginWrites();
  job.shading = job.replay.get();
  job.fog = job.replay ? job.replay->sceneHasFog() : job.scene->fog.density > 0.0f;
  if (job.shading != nullptr) return Status();
  // The count above is of bytes; the address space may still lack room for the large blocks the
  // geometry takes, which is then said with the same figures.
  try {
    job.tracer.emplace(*job.scene, options.width, options.height);
  } catch (const std::bad_alloc&) {
    return Status::Error("out of memory building the scene's geometry: the render needs about " +
                         job.memory.Describe(job.threads) +
                         ", and this 32-bit program found no room for it; render it with a lighter scene");
  }
  job.traced = TracedShading(*job.tracer);
  job.shading = job.traced.get();
  if (!options.recordShading.empty()) {
    job.record = std::make_unique<ShadingRecord>(*job.traced, options.width, options.height, job.fog);
    job.shading = job.record.get();
  }
  return Status();
}

Status PrepareFolder(Job& job) {
  const std::string& folder = job.options.outDir;
  Status made = MakeOutputDirectory(folder, kWritesPreviews, job.madeFolders.list());
  job.madeFolders.Register();
  if (!made.ok()) return made;
  // What killed runs left is removed; a run that is interrupted removes its own.
  RemoveStaleTemporaries(folder);
  if (kWritesPreviews) RemoveStaleTemporaries(folder + "/layers");
  return Status();
}

// Tracing, or the answers of a recording, and the plug-in's calls; then what was asked to be kept.
Status Trace(Job& job) {
  std::vector<hostsim::LightColour> colours;
  for (int i = 0; i < job.shading->LightCount(); ++i) {
    const float* c = job.shading->LightColour(i);
    colours.push_back(hostsim::LightColour{c[0], c[1], c[2]});
  }
  job.plugin->SetLights(colours);
  job.stats = RenderFrame(*job.shading, *job.plugin, *job.frame, job.threads);
  job.plugin->End();
  if (job.stats.failedFills != 0)
    std::fprintf(stderr, "zurender: warning: the plug-in reported a refused request at %llu pixels\n",
                 static_cast<unsigned long long>(job.stats.failedFills));
  std::string error;
  if (job.record && !job.record->Write(job.options.recordShading, error)) return Status::Error(error);
  if (!job.options.pluginWrites.empty() && !job.frame->WritePluginWrites(job.options.pluginWrites, error))
    return Status::Error(error);
  return Status();
}

// The files, staged and put in place together: the folder holds this render or the one before.
Status WriteFiles(Job& job) {
  const RenderOptions& options = job.options;
  const auto writeStart = Clock::now();
  const std::string title = job.sceneName == "built-in" ? "ZU Layers: the built-in scene" : job.sceneName;
  const std::string keeps = "; " + options.outDir + "/ keeps what it held before";
  StagedFiles staged;
  const WrittenOutputs written = WriteOutputs(
      *job.frame, OutputRequest{options.outDir, options.depth, options.exrHalf, CreationTime(), title, job.threads},
      staged);
  if (!written.error.empty()) return Status::Error(written.error + keeps);
  Manifest manifest = MakeManifest(options, *job.frame, job.declared, job.settings, written);
  manifest.scene = job.sceneName;
  manifest.sceneHasFog = job.fog;
  manifest.plugin = job.pluginPath;
  manifest.settingsSource = job.settingsSource;
  manifest.rays = job.stats.rays;
  job.writeSeconds = Seconds(Clock::now() - writeStart);
  manifest.timings = ManifestTimings{Seconds(Clock::now() - job.start), job.stats.traceSeconds,
                                     job.stats.pluginSeconds, job.writeSeconds};
  if (Status s = WriteText(staged.Stage(options.outDir + "/manifest.json"), ManifestToJson(manifest)); !s.ok())
    return Status::Error(staged.Unstaged(s.message()) + keeps);
  return WithoutInterruption([&] {
    Status status = staged.Publish();
    if (status.ok()) job.madeFolders.Keep();
    if (status.ok() && kWritesPreviews) RemoveStalePreviews(options.outDir, written.previews);
    if (status.ok()) SetInterruptionNote("the render was written to " + options.outDir + "/ before");
    return status;
  });
}

// The check reads the files back as an editor would; the frame's memory goes first.
Status CheckWritten(Job& job) {
  job.layerCount = job.frame->layers().size();
  job.frame.reset();
  const auto checkStart = Clock::now();
  const CheckReport check = CheckRenderFolder(job.options.outDir);
  if (!check.error.empty())
    return Status::Error("every file is written, but the check of them could not be made: " + check.error);
  std::fputs(FormatCheckReport(check, kDefaultTolerance).c_str(), stdout);
  job.checkSeconds = Seconds(Clock::now() - checkStart);
  return Status();
}

// The run's time is everything from the start to here; the plug-in's share is of that.
void Summarize(const Job& job) {
  const RenderOptions& options = job.options;
  const FrameStats& stats = job.stats;
  const double total = Seconds(Clock::now() - job.start);
  std::printf("zurender: %dx%d, %zu layer%s in %.2f s%s: traced in %.2f s (%.1f M rays/s), plug-in %.3f s (%.1f%%), "
              "files %.2f s, check %.2f s; written to %s/\n",
              options.width, options.height, job.layerCount, job.layerCount == 1 ? "" : "s", total,
              RunsUnderEmulation() ? " (emulated: i386 code under qemu-user, not the product's speed)" : "",
              stats.traceSeconds, stats.traceSeconds > 0 ? double(stats.rays) / stats.traceSeconds / 1e6 : 0.0,
              stats.pluginSeconds, total > 0 ? 100.0 * stats.pluginSeconds / total : 0.0, job.writeSeconds,
              job.checkSeconds, options.outDir.c_str());
}

int RenderJob(const RenderOptions& options) {
  SetInterruptionNote(options.outDir + "/ is as it was");
  Job job(options);
  // Everything that can be refused is checked before any tracing, and nothing is written before
  // the folder is prepared.
  using Step = Status (*)(Job&);
  for (const Step step : {TakeScene, BeginPlugin, FitMemory, RefuseCollisions, TakeMemory, PrepareFolder, Trace,
                          WriteFiles, CheckWritten})
    if (Status status = step(job); !status.ok()) return Fail(status.message());
  Summarize(job);
  return 0;
}

}  // namespace

int RunRender(const RenderOptions& options) {
  try {
    return RenderJob(options);
  } catch (const std::bad_alloc&) {
    return Fail("out of memory; the output folder keeps what it held before");
  }
}

}  // namespace zurender
