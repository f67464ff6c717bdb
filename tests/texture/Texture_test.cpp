// Texture tests: upload format and size, exact pixels, GL name lifetime (a missing file is run
// end to end by the program tests).
#include "Texture.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

using namespace tgatest;

namespace {
GLint levelParam(GLenum which) {
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &v);
    return v;
}
class TextureTest : public GLTest {};
}  // namespace

TEST_F(TextureTest, UploadsRgbaAndRgbAtExactSizeWithUnshearedRowsAndFreesItsNames) {
    const struct { int w, h, depth; GLint format; } cases[] = {
        {4, 2, 32, GL_RGBA}, {3, 2, 24, GL_RGB}};  // 9-byte rows: not 4-aligned
    int base = Texture::liveTextures();
    GLuint last = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        std::vector<uint8_t> file;
        for (int i = 0; i < c.w * c.h * c.depth / 8; ++i) file.push_back((uint8_t)i);
        std::string path = writeTga(tempPath("t.tga"), c.w, c.h, c.depth, file);
        Texture t(path.c_str(), 0);
        GLuint first = t.GetID();
        t.Init(path.c_str(), 0);  // re-loading frees the old name; the last loop's went with it
        EXPECT_TRUE(!glIsTexture(first) && Texture::liveTextures() == base + 1);
        last = t.GetID();
        EXPECT_TRUE(last != 0 && (GLuint)testgl::getInt(GL_TEXTURE_BINDING_2D) == last);
        EXPECT_EQ(levelParam(GL_TEXTURE_INTERNAL_FORMAT), c.format);
        EXPECT_TRUE(levelParam(GL_TEXTURE_WIDTH) == c.w && levelParam(GL_TEXTURE_HEIGHT) == c.h);
        std::vector<uint8_t> got(file.size(), 0), want = file;
        for (size_t i = 0; i < want.size(); i += c.depth / 8) std::swap(want[i], want[i + 2]);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, c.format, GL_UNSIGNED_BYTE, got.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        EXPECT_EQ(got, want);
        EXPECT_EQ(testgl::getInt(GL_UNPACK_ALIGNMENT), 4);  // caller's unpack state restored
    }
    Texture empty;  // never loaded: holds nothing, releases nothing
    EXPECT_TRUE(!glIsTexture(last) && Texture::liveTextures() == base);
}
