#include "zurender/output/linear_profile.h"

#include <lcms2.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace zurender {
namespace {

constexpr cmsCIExyY kD65{0.3127, 0.3290, 1.0};
constexpr cmsCIExyYTRIPLE kSrgbPrimaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
constexpr const wchar_t* kDescription = L"Linear sRGB (gamma 1)";
constexpr const wchar_t* kCopyright = L"No copyright, use freely";

// The header's creation date (bytes 24-35: year, month, day, hours, minutes, seconds) is the
// moment of saving; a fixed one makes the same render give the same file bytes. The profile ID
// is left zero (not computed), so nothing else depends on the date.
constexpr std::size_t kDateOffset = 24;
constexpr std::uint8_t kFixedDate[12] = {0x07, 0xE8, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};  // 2024-01-01 00:00:00

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct CurveFreer {
  void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
struct MluFreer {
  void operator()(cmsMLU* mlu) const { cmsMLUfree(mlu); }
};

bool SetText(cmsHPROFILE profile, cmsTagSignature tag, const wchar_t* text) {
  std::unique_ptr<cmsMLU, MluFreer> mlu(cmsMLUalloc(nullptr, 1));
  return mlu && cmsMLUsetWide(mlu.get(), "en", "US", text) && cmsWriteTag(profile, tag, mlu.get());
}

}  // namespace

Result<std::vector<std::uint8_t>> LinearSrgbProfile() {
  const Status failed = Status::Error("cannot make the linear sRGB colour profile");
  std::unique_ptr<cmsToneCurve, CurveFreer> linear(cmsBuildGamma(nullptr, 1.0));
  if (!linear) return failed;
  cmsToneCurve* curves[3] = {linear.get(), linear.get(), linear.get()};
  std::unique_ptr<void, ProfileCloser> profile(cmsCreateRGBProfile(&kD65, &kSrgbPrimaries, curves));
  if (!profile) return failed;
  if (!SetText(profile.get(), cmsSigProfileDescriptionTag, kDescription) ||
      !SetText(profile.get(), cmsSigCopyrightTag, kCopyright)) {
    return failed;
  }
  cmsUInt32Number size = 0;
  if (!cmsSaveProfileToMem(profile.get(), nullptr, &size) || size == 0) return failed;
  try {
    std::vector<std::uint8_t> bytes(size);
    if (!cmsSaveProfileToMem(profile.get(), bytes.data(), &size)) return failed;
    bytes.resize(size);
    if (bytes.size() < kDateOffset + sizeof kFixedDate) return failed;
    std::copy(std::begin(kFixedDate), std::end(kFixedDate), bytes.begin() + kDateOffset);
    return bytes;
  } catch (const std::bad_alloc&) {
    return failed;
  }
}

}  // namespace zurender
