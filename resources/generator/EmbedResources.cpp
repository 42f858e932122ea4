// Build-time tool: embeds the files of resources/ into one C++ source as a
// constant table, and assembles the toolbar strips.
//
//   EmbedResources OUTPUT.cpp RESOURCES_DIR
//
// Reads dialogs/*.dlg, menus/*.menu, accelerators/*.accel, bitmaps/*.png,
// icons/*.png and cursors/*.png (the resource name is the file name without
// its extension), and toolbars/Strips.list, which names the strips ("strip
// NAME SIZE" lines) and then the button images in strip order (one name per
// line; the image of a SIZE strip is toolbars/SIZE/NAME.png, SIZE x SIZE).
// Each strip is written as one PNG, the images side by side, and embedded as
// the bitmap resource NAME. Each cursor has its hot spot beside it in
// cursors/NAME.hotspot, one line "X Y" (pixels from the image's top-left
// corner); it travels inside the embedded PNG as a "hotspot" text chunk. Any
// missing or malformed file stops the build with a message naming it. The
// output is only rewritten when it changes.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Resource {
  std::string type;  // the ResourceType enumerator
  std::string name;
  std::vector<unsigned char> bytes;
};

struct Image {
  unsigned width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // PNG_FORMAT_BGRA
};

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "EmbedResources: " << message << "\n";
  std::exit(1);
}

std::vector<unsigned char> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read " + path.string());
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void AddFolder(const fs::path& folder, const std::string& extension, const std::string& type,
               std::vector<Resource>* resources) {
  if (!fs::is_directory(folder)) return;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files)
    resources->push_back(Resource{type, file.stem().string(), ReadFile(file)});
}

Image ReadPng(const fs::path& path) {
  std::vector<unsigned char> bytes = ReadFile(path);
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
    Fail(path.string() + " is not a PNG image");
  png.format = PNG_FORMAT_BGRA;
  Image image;
  image.width = png.width;
  image.height = png.height;
  image.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr))
    Fail(path.string() + " does not decode");
  return image;
}

std::vector<unsigned char> WritePng(const Image& image) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = image.width;
  png.height = image.height;
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr))
    Fail("cannot size a strip PNG");
  std::vector<unsigned char> bytes(size);
  if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0, nullptr))
    Fail("cannot encode a strip PNG");
  bytes.resize(size);
  return bytes;
}

void AddStrips(const fs::path& folder, std::vector<Resource>* resources) {
  fs::path list = folder / "Strips.list";
  if (!fs::exists(list)) return;
  std::ifstream in(list);
  std::vector<std::pair<std::string, unsigned>> strips;
  std::vector<std::string> buttons;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first[0] == '#') continue;
    if (first == "strip") {
      std::string name;
      unsigned size = 0;
      if (!(words >> name >> size) || size == 0) Fail(list.string() + " line " + std::to_string(number) + ": strip NAME SIZE");
      strips.emplace_back(name, size);
    } else {
      buttons.push_back(first);
    }
  }
  for (const auto& [name, size] : strips) {
    Image strip;
    strip.width = size * static_cast<unsigned>(buttons.size());
    strip.height = size;
    strip.pixels.assign(static_cast<std::size_t>(strip.width) * size, 0);
    for (std::size_t index = 0; index < buttons.size(); ++index) {
      fs::path file = folder / std::to_string(size) / (buttons[index] + ".png");
      Image button = ReadPng(file);
      if (button.width != size || button.height != size)
        Fail(file.string() + " must be " + std::to_string(size) + " x " + std::to_string(size));
      for (unsigned row = 0; row < size; ++row)
        std::copy_n(button.pixels.begin() + row * size, size,
                    strip.pixels.begin() + row * strip.width + index * size);
    }
    resources->push_back(Resource{"Bitmap", name, WritePng(strip)});
  }
}

std::uint32_t Crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0xFFFFFFFFu) {
  for (std::size_t at = 0; at < size; ++at) {
    crc ^= data[at];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc;
}

// Inserts a tEXt chunk "hotspot" = "X Y" right after the IHDR chunk.
void AddHotSpotChunk(const std::string& value, std::vector<unsigned char>* png) {
  std::vector<unsigned char> body = {'t', 'E', 'X', 't', 'h', 'o', 't', 's', 'p', 'o', 't', 0};
  body.insert(body.end(), value.begin(), value.end());
  std::uint32_t length = static_cast<std::uint32_t>(body.size() - 4);
  std::uint32_t crc = ~Crc32(body.data(), body.size());
  std::vector<unsigned char> chunk;
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<unsigned char>(length >> shift));
  chunk.insert(chunk.end(), body.begin(), body.end());
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<unsigned char>(crc >> shift));
  const std::size_t afterHeader = 8 + 4 + 4 + 13 + 4;  // signature, IHDR length, type, data, CRC
  png->insert(png->begin() + static_cast<std::ptrdiff_t>(afterHeader), chunk.begin(), chunk.end());
}

void AddCursors(const fs::path& folder, std::vector<Resource>* resources) {
  if (!fs::is_directory(folder)) return;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".png") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    Image image = ReadPng(file);
    fs::path side = fs::path(file).replace_extension(".hotspot");
    if (!fs::exists(side)) Fail(side.string() + " is missing (the cursor's hot spot, \"X Y\")");
    std::ifstream in(side);
    long x = -1, y = -1;
    std::string rest;
    if (!(in >> x >> y) || (in >> rest) || x < 0 || y < 0 || x >= static_cast<long>(image.width) ||
        y >= static_cast<long>(image.height))
      Fail(side.string() + ": one line \"X Y\" inside the " + std::to_string(image.width) + " x " +
           std::to_string(image.height) + " image");
    std::vector<unsigned char> bytes = ReadFile(file);
    AddHotSpotChunk(std::to_string(x) + " " + std::to_string(y), &bytes);
    resources->push_back(Resource{"Cursor", file.stem().string(), std::move(bytes)});
  }
}

std::string Generate(const std::vector<Resource>& resources) {
  std::ostringstream out;
  out << "// Generated by EmbedResources from the files of resources/; do not edit.\n"
         "#include \"resources/QuorvelResources.h\"\n\nnamespace {\n\n";
  for (std::size_t index = 0; index < resources.size(); ++index) {
    out << "const unsigned char data" << index << "[] = {";
    const auto& bytes = resources[index].bytes;
    for (std::size_t at = 0; at < bytes.size(); ++at)
      out << (at % 20 == 0 ? "\n  " : "") << static_cast<unsigned>(bytes[at]) << ",";
    if (bytes.empty()) out << "0";
    out << "\n};\n";
  }
  out << "\nconstexpr platform::ResourceEntry entries[] = {\n";
  for (std::size_t index = 0; index < resources.size(); ++index)
    out << "  {platform::ResourceType::" << resources[index].type << ", \"" << resources[index].name
        << "\", data" << index << ", " << resources[index].bytes.size() << "},\n";
  if (resources.empty()) out << "  {platform::ResourceType::Dialog, \"\", nullptr, 0},\n";
  out << "};\n\n}  // namespace\n\nstd::span<const platform::ResourceEntry> QuorvelResources() {\n"
      << "  return std::span<const platform::ResourceEntry>(entries, " << resources.size()
      << ");\n}\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) Fail("usage: EmbedResources OUTPUT.cpp RESOURCES_DIR");
  fs::path root = argv[2];
  std::vector<Resource> resources;
  AddFolder(root / "dialogs", ".dlg", "Dialog", &resources);
  AddFolder(root / "menus", ".menu", "Menu", &resources);
  AddFolder(root / "accelerators", ".accel", "Accelerators", &resources);
  AddFolder(root / "bitmaps", ".png", "Bitmap", &resources);
  AddFolder(root / "icons", ".png", "Icon", &resources);
  AddCursors(root / "cursors", &resources);
  AddStrips(root / "toolbars", &resources);
  std::string text = Generate(resources);
  std::ifstream old(argv[1], std::ios::binary);
  std::string previous((std::istreambuf_iterator<char>(old)), {});
  if (previous == text) return 0;
  std::ofstream out(argv[1], std::ios::binary);
  out << text;
  if (!out) Fail(std::string("cannot write ") + argv[1]);
  return 0;
}
