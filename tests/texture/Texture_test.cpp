// Texture tests: upload format and size, exact pixels, GL name lifetime (a missing file is run
// end to end).
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

TEST_F(TextureTest, UploadsRgbaAndRgbAtExactSizeWithUnshearedRows) {
    const struct { int w, h, depth; GLint format; } cases[] = {
        {4, 2, 32, GL_RGBA}, {3, 2, 24, GL_RGB}};  // 9-byte rows: not 4-aligned
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        std::vector<uint8_t> file, want;
        for (int i = 0; i < c.w * c.h * c.depth / 8; ++i) file.push_back((uint8_t)i);
        Texture t(writeTga(tempPath("t.tga"), c.w, c.h, c.depth, file).c_str(), 0);
        GLint bound = 0, align = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_TRUE(t.GetID() != 0 && (GLuint)bound == t.GetID());
        EXPECT_EQ(levelParam(GL_TEXTURE_INTERNAL_FORMAT), c.format);
        EXPECT_TRUE(levelParam(GL_TEXTURE_WIDTH) == c.w && levelParam(GL_TEXTURE_HEIGHT) == c.h);
        std::vector<uint8_t> got(file.size(), 0);
        want = file;
        for (size_t i = 0; i < want.size(); i += c.depth / 8) std::swap(want[i], want[i + 2]);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, c.format, GL_UNSIGNED_BYTE, got.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        EXPECT_EQ(got, want);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
        EXPECT_EQ(align, 4);  // caller's unpack state restored
    }
}

TEST_F(TextureTest, ReleasesItsNameOnDestructionAndReInit) {
    std::string p = writeTga(tempPath("c.tga"), 2, 2, 32, std::vector<uint8_t>(16, 200));
    int base = Texture::liveTextures();
    GLuint first;
    {
        Texture t(p.c_str(), 0), again(p.c_str(), 0);
        EXPECT_NE(again.GetID(), t.GetID());  // same file twice: two names
        first = t.GetID();
        t.Init(p.c_str(), 0);  // re-loading frees the old name
        EXPECT_TRUE(!glIsTexture(first) && glIsTexture(t.GetID()));
        EXPECT_EQ(Texture::liveTextures(), base + 2);
        first = t.GetID();
    }
    EXPECT_FALSE(glIsTexture(first));
    Texture empty;  // never loaded: holds nothing, releases nothing
    EXPECT_EQ(Texture::liveTextures(), base);
}
