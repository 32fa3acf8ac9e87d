#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  bool dspReady = false;
  Encoder() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~Encoder() {
    if (dspReady) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
};

bool WritePage(FILE* f, const ogg_page& page) {
  return fwrite(page.header, 1, page.header_len, f) == static_cast<size_t>(page.header_len) &&
         fwrite(page.body, 1, page.body_len, f) == static_cast<size_t>(page.body_len);
}

}  // namespace

bool WriteOggVorbis(const std::string& path, const Audio& audio, float quality,
                    const std::string& title, std::string& error) {
  const int channels = static_cast<int>(audio.channels.size());
  if (channels < 1 || channels > 2 || audio.Frames() == 0) {
    error = "nothing to encode for " + path;
    return false;
  }
  Encoder enc;
  if (vorbis_encode_init_vbr(&enc.info, channels, audio.rate, quality) != 0) {
    error = "the Vorbis encoder refused the format of " + path;
    return false;
  }
  vorbis_comment_add_tag(&enc.comment, "TITLE", title.c_str());
  vorbis_comment_add_tag(&enc.comment, "ARTIST", "Mirethorn soundgen");
  vorbis_analysis_init(&enc.dsp, &enc.info);
  vorbis_block_init(&enc.dsp, &enc.block);
  // A fixed serial number keeps the output identical from build to build.
  ogg_stream_init(&enc.stream, 0x4d697265);
  enc.dspReady = true;

  std::string tmp = path + ".part";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) {
    error = "cannot write " + tmp;
    return false;
  }
  bool ok = true;
  {
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&enc.dsp, &enc.comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&enc.stream, &header);
    ogg_stream_packetin(&enc.stream, &commentHeader);
    ogg_stream_packetin(&enc.stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&enc.stream, &page) != 0) ok = ok && WritePage(f, page);
  }

  const size_t frames = audio.Frames();
  const size_t chunk = 4096;
  size_t done = 0;
  bool eos = false;
  while (!eos && ok) {
    size_t n = std::min(chunk, frames - done);
    if (n == 0) {
      vorbis_analysis_wrote(&enc.dsp, 0);
    } else {
      float** buffer = vorbis_analysis_buffer(&enc.dsp, static_cast<int>(n));
      for (int c = 0; c < channels; ++c) {
        const float* src = audio.channels[c].data() + done;
        for (size_t i = 0; i < n; ++i) {
          float v = src[i];
          buffer[c][i] = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
        }
      }
      vorbis_analysis_wrote(&enc.dsp, static_cast<int>(n));
      done += n;
    }
    while (vorbis_analysis_blockout(&enc.dsp, &enc.block) == 1) {
      vorbis_analysis(&enc.block, nullptr);
      vorbis_bitrate_addblock(&enc.block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&enc.dsp, &packet)) {
        ogg_stream_packetin(&enc.stream, &packet);
        ogg_page page;
        while (!eos && ogg_stream_pageout(&enc.stream, &page) != 0) {
          ok = ok && WritePage(f, page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
  }
  if (std::fclose(f) != 0) ok = false;
  if (!ok) {
    std::remove(tmp.c_str());
    error = "writing " + path + " failed";
    return false;
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    error = "cannot rename " + tmp + " to " + path;
    return false;
  }
  return true;
}
