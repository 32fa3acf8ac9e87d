// Sounds, channels and the mixer, over Ogg files encoded here with libvorbisenc.
#include "platform/sound.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "platform/headless.h"
#include "platform/internal.h"
#include "support/test_support.h"

namespace {

// Encodes interleaved float samples (-1..1) as an Ogg Vorbis file.
std::vector<uint8_t> EncodeOgg(const std::vector<float>& interleaved, int channels, long rate) {
  std::vector<uint8_t> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.5f) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1234);
  auto writePage = [&out](const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  };
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) writePage(page);

  const long frames = static_cast<long>(interleaved.size()) / channels;
  long done = 0;
  bool ended = false;
  while (!ended) {
    const long n = std::min<long>(1024, frames - done);
    if (n > 0) {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (long i = 0; i < n; ++i) {
        for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[(done + i) * channels + c];
      }
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      done += n;
    } else {
      vorbis_analysis_wrote(&vd, 0);
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet) != 0) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          writePage(page);
          if (ogg_page_eos(&page)) ended = true;
        }
      }
    }
    if (n <= 0 && !ended) {
      while (ogg_stream_flush(&os, &page) != 0) writePage(page);
      ended = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

// A sine tone of `seconds`, the same on every channel.
std::vector<float> Tone(double hz, double seconds, int channels, long rate, float amplitude) {
  const long frames = std::lround(seconds * static_cast<double>(rate));
  std::vector<float> samples;
  for (long i = 0; i < frames; ++i) {
    const float v =
        amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * hz * i / rate));
    for (int c = 0; c < channels; ++c) samples.push_back(v);
  }
  return samples;
}

std::string WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = test_support::TempHome() + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

// A tone saved as an Ogg file and loaded back.
SoundPtr ToneSound(const std::string& name, double hz, float amplitude, double seconds = 0.1,
                   int flags = 0) {
  const std::string path =
      WriteBytes(name, EncodeOgg(Tone(hz, seconds, 2, kMixRate, amplitude), 2, kMixRate));
  return LoadSound(path, flags);
}

std::vector<int16_t> Pull(int frames, int chunk = 1000) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * kMixChannels, 12345);
  for (int done = 0; done < frames; done += chunk) {
    MixAudio(out.data() + static_cast<size_t>(done) * kMixChannels, std::min(chunk, frames - done));
  }
  return out;
}

bool AllSilent(const std::vector<int16_t>& samples, size_t from = 0) {
  return std::all_of(samples.begin() + static_cast<std::ptrdiff_t>(from), samples.end(),
                     [](int16_t s) { return s == 0; });
}

int ZeroCrossings(const std::vector<int16_t>& samples) {
  int count = 0;
  for (size_t i = kMixChannels; i < samples.size(); i += kMixChannels) {
    if ((samples[i - kMixChannels] < 0) != (samples[i] < 0)) ++count;
  }
  return count;
}

struct FormatCase {
  long rate;
  int channels;
};

class SoundFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(SoundFormat, IsConvertedToTheMixerRateInStereo) {
  const FormatCase c = GetParam();
  const std::vector<float> tone = Tone(441.0, 0.25, c.channels, c.rate, 0.5f);
  const long inFrames = static_cast<long>(tone.size()) / c.channels;
  const std::string path = WriteBytes("tone.ogg", EncodeOgg(tone, c.channels, c.rate));
  SoundPtr sound = LoadSound(path);
  ASSERT_TRUE(sound);
  ASSERT_TRUE(sound->data);
  EXPECT_FALSE(sound->loop);
  const auto& samples = sound->data->samples;
  EXPECT_EQ(sound->data->Frames(), std::llround(static_cast<double>(inFrames) * kMixRate / c.rate));
  // The pitch survives the resampling: 441 Hz for a quarter second crosses zero about 220 times.
  EXPECT_NEAR(ZeroCrossings(samples), 220, 6);
  if (c.channels == 1) {
    for (size_t i = 0; i < samples.size(); i += 2) ASSERT_EQ(samples[i], samples[i + 1]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Rates, SoundFormat,
                         testing::Values(FormatCase{44100, 2}, FormatCase{44100, 1},
                                         FormatCase{22050, 1}, FormatCase{48000, 2},
                                         FormatCase{32000, 2}));

TEST(Sound, SurroundFilesKeepTheirFrontPair) {
  // Only the front right channel sounds; it must come out on the right alone.
  const struct {
    int channels;
    int frontRight;
  } cases[] = {{2, 1}, {3, 2}, {4, 1}, {5, 2}};
  for (const auto& c : cases) {
    const std::vector<float> mono = Tone(441.0, 0.1, 1, kMixRate, 0.5f);
    std::vector<float> samples(mono.size() * c.channels, 0.0f);
    for (size_t i = 0; i < mono.size(); ++i) samples[i * c.channels + c.frontRight] = mono[i];
    SoundPtr sound =
        LoadSound(WriteBytes("surround.ogg", EncodeOgg(samples, c.channels, kMixRate)));
    ASSERT_TRUE(sound) << c.channels;
    double left = 0.0, right = 0.0;
    const auto& s = sound->data->samples;
    for (size_t i = 0; i < s.size(); i += 2) {
      left += std::abs(s[i]);
      right += std::abs(s[i + 1]);
    }
    EXPECT_GT(right, 20.0 * left + 1.0) << c.channels;
  }
}

TEST(Sound, FlagOneMakesTheSoundLoop) {
  EXPECT_TRUE(ToneSound("a.ogg", 440.0, 0.5f, 0.05, SOUND_LOOP)->loop);
  EXPECT_FALSE(ToneSound("b.ogg", 440.0, 0.5f, 0.05, 0)->loop);
}

TEST(Sound, PathIsMatchedWithoutRegardToCase) {
  WriteBytes("Sfx/Fx4/Beep.ogg", EncodeOgg(Tone(440.0, 0.05, 1, 22050, 0.5f), 1, 22050));
  EXPECT_TRUE(LoadSound(test_support::TempHome() + "/sfx/fx4/BEEP.ogg"));
  EXPECT_TRUE(LoadSound(test_support::TempHome() + "\\SFX\\fx4\\beep.ogg"));
}

TEST(Sound, MissingOrBadFilesGiveNoSound) {
  const std::vector<uint8_t> ogg = EncodeOgg(Tone(440.0, 0.1, 2, kMixRate, 0.5f), 2, kMixRate);
  ASSERT_GT(ogg.size(), 200u);
  std::vector<uint8_t> scrambled = ogg;
  for (size_t i = 60; i < scrambled.size(); ++i) scrambled[i] = static_cast<uint8_t>(i * 131 + 7);
  const std::string text = "not a sound at all\n";
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty.ogg", {}},
      {"text.ogg", std::vector<uint8_t>(text.begin(), text.end())},
      {"header-only.ogg", std::vector<uint8_t>(ogg.begin(), ogg.begin() + 40)},
      {"scrambled.ogg", scrambled},
      {"png.ogg", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13}},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(LoadSound(WriteBytes(c.name, c.bytes))) << c.name;
    EXPECT_FALSE(LoadSound(WriteBytes(c.name, c.bytes), SOUND_LOOP)) << c.name;
  }
  EXPECT_FALSE(LoadSound(test_support::TempHome() + "/no-such-file.ogg"));
  EXPECT_FALSE(LoadSound(""));
  EXPECT_FALSE(LoadSound(test_support::TempHome()));  // a folder
}

TEST(Sound, FileCutShortKeepsWhatComesBeforeTheCut) {
  // Long enough to be kept encoded if it were whole: a cut file is decoded whole at loading.
  const std::vector<uint8_t> ogg = EncodeOgg(Tone(440.0, 8.0, 1, 22050, 0.5f), 1, 22050);
  const std::vector<uint8_t> cut(ogg.begin(),
                                 ogg.begin() + static_cast<std::ptrdiff_t>(ogg.size() * 3 / 4));
  SoundPtr sound = LoadSound(WriteBytes("cut.ogg", cut));
  ASSERT_TRUE(sound);
  EXPECT_FALSE(sound->data->encoded);
  EXPECT_GT(sound->data->Frames(), 2 * kMixRate);
  EXPECT_LT(sound->data->Frames(), 8 * kMixRate);
}

// Sounds of a second or more are kept encoded and decoded by each channel as it plays: what is
// heard must be the whole decoding's samples, to the seam of a loop and the end of a sound that
// stops.
TEST(Sound, LongSoundsPlayTheSamplesOfTheirWholeDecoding) {
  const FormatCase formats[] = {{kMixRate, 1}, {32000, 2}, {22050, 1}};
  for (const FormatCase& f : formats) {
    const std::vector<uint8_t> ogg =
        EncodeOgg(Tone(441.0, 1.5, f.channels, f.rate, 0.5f), f.channels, f.rate);
    const std::string path = WriteBytes("long.ogg", ogg);
    for (const bool loop : {false, true}) {
      SCOPED_TRACE(testing::Message() << f.rate << " Hz, " << f.channels << " channels, loop "
                                      << loop);
      std::vector<int16_t> whole;
      ASSERT_TRUE(platform_internal::DecodeWholeVorbis(ogg, loop, whole));
      SoundPtr sound = LoadSound(path, loop ? SOUND_LOOP : 0);
      ASSERT_TRUE(sound);
      EXPECT_TRUE(sound->data->encoded);
      EXPECT_TRUE(sound->data->samples.empty());
      const int64_t frames = sound->data->Frames();
      ASSERT_EQ(frames * kMixChannels, static_cast<int64_t>(whole.size()));

      ChannelPtr channel = PlaySound(sound);
      const std::vector<int16_t> out = Pull(static_cast<int>(frames * 2 + 777), 997);
      for (size_t i = 0; i < out.size(); ++i) {
        const int16_t heard = i < whole.size() ? whole[i] : loop ? whole[i % whole.size()] : 0;
        ASSERT_EQ(out[i], heard) << "sample " << i;
      }
      EXPECT_EQ(ChannelPlaying(channel), loop ? 1 : 0);

      // Started again on its channel, and a second channel alongside: both from the start.
      PlaySound(sound, channel);
      const std::vector<int16_t> again = Pull(3000, 512);
      for (size_t i = 0; i < again.size(); ++i) ASSERT_EQ(again[i], whole[i]) << "sample " << i;
      ChannelPtr second = PlaySound(sound);
      const std::vector<int16_t> both = Pull(1000, 512);
      for (size_t i = 0; i < both.size(); ++i) {
        ASSERT_EQ(both[i], std::clamp(whole[i + 6000] + whole[i], -32768, 32767)) << i;
      }
      StopAllChannels();
    }
  }
}

TEST(Sound, TwoChannelsAreSummedAndClamped) {
  SoundPtr a = ToneSound("a.ogg", 300.0, 0.7f);
  SoundPtr b = ToneSound("b.ogg", 300.0, 0.6f);
  ASSERT_TRUE(a && b);
  ChannelPtr ca = PlaySound(a);
  ChannelPtr cb = PlaySound(b);
  ASSERT_TRUE(ca && cb);
  EXPECT_NE(ca, cb);
  EXPECT_NE(ca->state, cb->state);
  const int frames = static_cast<int>(std::min(a->data->Frames(), b->data->Frames()));
  const std::vector<int16_t> out = Pull(frames, 333);
  int clamped = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const int sum = a->data->samples[i] + b->data->samples[i];
    ASSERT_EQ(out[i], std::clamp(sum, -32768, 32767)) << i;
    if (sum > 32767 || sum < -32768) ++clamped;
  }
  EXPECT_GT(clamped, 100);
}

TEST(Sound, LoopingSoundWrapsWithoutAGap) {
  SoundPtr sound = ToneSound("loop.ogg", 441.0, 0.5f, 0.05, SOUND_LOOP);
  ASSERT_TRUE(sound);
  ChannelPtr channel = PlaySound(sound);
  const auto& s = sound->data->samples;
  const int64_t frames = sound->data->Frames();
  const std::vector<int16_t> out = Pull(static_cast<int>(frames * 3 + 77), 997);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], s[i % s.size()]) << i;
  EXPECT_EQ(ChannelPlaying(channel), 1);
}

TEST(Sound, OneShotSoundEndsAndFallsSilent) {
  SoundPtr sound = ToneSound("once.ogg", 441.0, 0.5f, 0.05);
  ChannelPtr channel = PlaySound(sound);
  EXPECT_EQ(ChannelPlaying(channel), 1);
  const auto& s = sound->data->samples;
  const std::vector<int16_t> out = Pull(static_cast<int>(sound->data->Frames() + 500), 701);
  EXPECT_TRUE(std::equal(s.begin(), s.end(), out.begin()));
  EXPECT_TRUE(AllSilent(out, s.size()));
  EXPECT_EQ(ChannelPlaying(channel), 0);
}

TEST(Sound, PauseHoldsThePlaceResumeGoesOnStopEnds) {
  SoundPtr sound = ToneSound("p.ogg", 441.0, 0.5f, 0.1, SOUND_LOOP);
  const auto& s = sound->data->samples;
  ChannelPtr channel = PlaySound(sound);
  Pull(100);
  PauseChannel(channel);
  EXPECT_TRUE(AllSilent(Pull(300)));
  EXPECT_EQ(ChannelPlaying(channel), 1);
  ResumeChannel(channel);
  const std::vector<int16_t> resumed = Pull(200);
  EXPECT_TRUE(std::equal(resumed.begin(), resumed.end(), s.begin() + 100 * kMixChannels));
  StopChannel(channel);
  EXPECT_EQ(ChannelPlaying(channel), 0);
  EXPECT_TRUE(AllSilent(Pull(300)));
  ResumeChannel(channel);  // a stopped channel stays stopped
  EXPECT_EQ(ChannelPlaying(channel), 0);
  EXPECT_TRUE(AllSilent(Pull(300)));
}

TEST(Sound, VolumeSetAfterStartingAppliesFromTheFirstSample) {
  SoundPtr sound = ToneSound("v.ogg", 441.0, 0.8f, 0.05);
  const auto& s = sound->data->samples;
  const struct {
    float set;
    float heard;
  } cases[] = {{0.0f, 0.0f}, {0.25f, 0.25f}, {0.5f, 0.5f},
               {1.0f, 1.0f}, {1.5f, 1.0f},   {-1.0f, 0.0f}};
  for (const auto& c : cases) {
    ChannelPtr channel = PlaySound(sound);
    SetChannelVolume(channel, c.set);
    const std::vector<int16_t> out = Pull(static_cast<int>(sound->data->Frames()));
    for (size_t i = 0; i < s.size(); ++i) {
      ASSERT_EQ(out[i], static_cast<int16_t>(std::lrintf(s[i] * c.heard))) << c.set << " at " << i;
    }
    EXPECT_EQ(ChannelPlaying(channel), 0);
  }
}

TEST(Sound, CuedSoundWaitsForResume) {
  SoundPtr sound = ToneSound("c.ogg", 441.0, 0.8f, 0.05);
  const auto& s = sound->data->samples;
  ChannelPtr channel = CueSound(sound);
  ASSERT_TRUE(channel);
  SetChannelVolume(channel, 0.5f);
  EXPECT_TRUE(AllSilent(Pull(200)));
  ResumeChannel(channel);
  const std::vector<int16_t> out = Pull(200);
  for (size_t i = 0; i < out.size(); ++i)
    ASSERT_EQ(out[i], static_cast<int16_t>(std::lrintf(s[i] * 0.5f)));
}

TEST(Sound, ChannelPlaysOnWhenItsHandleIsDropped) {
  SoundPtr sound = ToneSound("d.ogg", 441.0, 0.5f, 0.05);
  PlaySound(sound);
  const auto& s = sound->data->samples;
  const std::vector<int16_t> out = Pull(static_cast<int>(sound->data->Frames()));
  EXPECT_TRUE(std::equal(s.begin(), s.end(), out.begin()));
}

TEST(Sound, EachPlayGivesANewChannelAndAGivenChannelIsReplaced) {
  SoundPtr a = ToneSound("a.ogg", 300.0, 0.5f, 0.05);
  SoundPtr b = ToneSound("b.ogg", 500.0, 0.5f, 0.05);
  ChannelPtr first = PlaySound(a);
  ChannelPtr second = PlaySound(a);
  EXPECT_NE(first, second);
  StopChannel(second);
  Pull(100);
  ChannelPtr again = PlaySound(b, first);
  EXPECT_EQ(again, first);
  const std::vector<int16_t> out = Pull(200);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), b->data->samples.begin()));
}

TEST(Sound, NoSoundGivesNoChannelAndNullChannelsAreHarmless) {
  EXPECT_FALSE(PlaySound(nullptr));
  EXPECT_FALSE(CueSound(nullptr));
  EXPECT_FALSE(PlaySound(std::make_shared<TSound>()));
  ChannelPtr none;
  StopChannel(none);
  PauseChannel(none);
  ResumeChannel(none);
  SetChannelVolume(none, 0.5f);
  EXPECT_EQ(ChannelPlaying(none), 0);
  ChannelPtr blank = AllocChannel();
  ASSERT_TRUE(blank);
  EXPECT_EQ(ChannelPlaying(blank), 0);
  ResumeChannel(blank);
  EXPECT_TRUE(AllSilent(Pull(100)));
}

TEST(Sound, StopAllChannelsSilencesEverything) {
  SoundPtr sound = ToneSound("s.ogg", 441.0, 0.5f, 0.05, SOUND_LOOP);
  ChannelPtr a = PlaySound(sound);
  ChannelPtr b = PlaySound(sound);
  PlaySound(sound);
  StopAllChannels();
  EXPECT_EQ(ChannelPlaying(a), 0);
  EXPECT_EQ(ChannelPlaying(b), 0);
  EXPECT_TRUE(AllSilent(Pull(300)));
}

// The device stays silent in headless runs: real time moves nothing, the virtual clock and
// pulls do.
TEST(Sound, DummyDeviceOpensAndHeadlessRunsMoveOnlyByPullsAndTheVirtualClock) {
  SoundPtr sound = ToneSound("h.ogg", 441.0, 0.5f, 0.05);
  ASSERT_TRUE(sound);
  EXPECT_TRUE(AudioDeviceOpen());
  ChannelPtr channel = PlaySound(sound);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(ChannelPlaying(channel), 1);
  const std::vector<int16_t> out = Pull(100);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), sound->data->samples.begin()));
}

// Without a device pulling samples, a headless run's sounds would never end: a long run would
// pile up every sound it ever started. They move on by the virtual clock instead, a sound
// started since the last step waiting for the next one, as it would for the device.
TEST(Sound, HeadlessChannelsMoveOnWithTheVirtualClock) {
  SoundPtr once = ToneSound("c1.ogg", 441.0, 0.5f, 0.05);
  SoundPtr looped = ToneSound("c2.ogg", 441.0, 0.5f, 0.05, SOUND_LOOP);
  ASSERT_TRUE(once && looped);
  ChannelPtr ends = PlaySound(once);
  ChannelPtr loops = PlaySound(looped);
  ChannelPtr paused = PlaySound(once);
  PauseChannel(paused);
  headless::AdvanceClock(1);  // started since the last step: nothing moves yet
  const int64_t lengthMs = once->data->Frames() * 1000 / kMixRate;
  headless::AdvanceClock(static_cast<int32_t>(lengthMs) - 1);
  EXPECT_EQ(ChannelPlaying(ends), 1);
  headless::AdvanceClock(2);
  EXPECT_EQ(ChannelPlaying(ends), 0);
  EXPECT_EQ(ChannelPlaying(loops), 1);
  EXPECT_EQ(ChannelPlaying(paused), 1);
  // Frames shown move it too, by their 16 and 17 ms.
  ResumeChannel(paused);
  for (int i = 0; i < 4; ++i) platform_internal::AfterFlip();
  EXPECT_EQ(ChannelPlaying(paused), 0);
  EXPECT_EQ(ChannelPlaying(loops), 1);
}

TEST(Sound, ChannelsCanBeChangedWhileAnotherThreadMixes) {
  SoundPtr sound = ToneSound("t.ogg", 441.0, 0.5f, 0.02);
  std::atomic<bool> done{false};
  std::thread mixer([&done] {
    std::vector<int16_t> buffer(256 * kMixChannels);
    for (int i = 0; i < 20000 && !done; ++i) MixAudio(buffer.data(), 256);
  });
  for (int i = 0; i < 300; ++i) {
    ChannelPtr channel = PlaySound(sound);
    SetChannelVolume(channel, 0.5f);
    if (i % 3 == 0) PauseChannel(channel);
    if (i % 3 == 1) StopChannel(channel);
    if (i % 5 == 0) PlaySound(sound, channel);
    ResumeChannel(channel);
  }
  done = true;
  mixer.join();
  StopAllChannels();
  EXPECT_TRUE(AllSilent(Pull(100)));
}

}  // namespace
