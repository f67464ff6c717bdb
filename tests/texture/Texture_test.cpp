// Texture tests: upload format and size, exact pixels, GL name lifetime, fatal missing file.
#include "Texture.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <unistd.h>

#include <string>
#include <vector>

using tgatest::tempPath;
using tgatest::writeTga;

namespace {

GLint levelParam(GLenum which) {
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &v);
    return v;
}

GLuint boundTexture() {
    GLint id = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &id);
    return (GLuint)id;
}

}  // namespace

class TextureTest : public GLTest {};

TEST_F(TextureTest, UploadsRgbaAndRgbAtExactSize) {
    std::string p32 = writeTga(tempPath("a.tga"), 4, 2, 32, std::vector<uint8_t>(4 * 2 * 4, 90));
    Texture rgba(p32.c_str(), 0);
    EXPECT_NE(rgba.GetID(), 0u);
    EXPECT_EQ(boundTexture(), rgba.GetID());
    EXPECT_EQ(levelParam(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    EXPECT_EQ(levelParam(GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(levelParam(GL_TEXTURE_HEIGHT), 2);
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR);

    std::string p24 = writeTga(tempPath("b.tga"), 3, 5, 24, std::vector<uint8_t>(3 * 5 * 3, 90));
    Texture rgb(p24.c_str(), 0);
    EXPECT_EQ(boundTexture(), rgb.GetID());
    EXPECT_EQ(levelParam(GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    EXPECT_EQ(levelParam(GL_TEXTURE_WIDTH), 3);
    EXPECT_EQ(levelParam(GL_TEXTURE_HEIGHT), 5);

    // Same file twice: two distinct names.
    Texture again(p24.c_str(), 0);
    EXPECT_NE(again.GetID(), rgb.GetID());
}

TEST_F(TextureTest, OddWidthRgbRowsArriveUnsheared) {
    // 3x2 at 24 bits: 9-byte rows, not a multiple of the default unpack alignment.
    std::vector<uint8_t> file = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    std::string p = writeTga(tempPath("odd.tga"), 3, 2, 24, file);
    Texture t(p.c_str(), 0);
    std::vector<uint8_t> got(18, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, got.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    std::vector<uint8_t> want = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16};
    EXPECT_EQ(got, want);
    GLint align = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    EXPECT_EQ(align, 4);  // caller's unpack state restored
}

TEST_F(TextureTest, ReleasesItsNameOnDestructionAndReInit) {
    std::string p = writeTga(tempPath("c.tga"), 2, 2, 32, std::vector<uint8_t>(16, 200));
    int base = Texture::liveTextures();
    GLuint first;
    {
        Texture t(p.c_str(), 0);
        first = t.GetID();
        EXPECT_TRUE(glIsTexture(first));
        EXPECT_EQ(Texture::liveTextures(), base + 1);

        t.Init(p.c_str(), 0);
        EXPECT_FALSE(glIsTexture(first));
        EXPECT_TRUE(glIsTexture(t.GetID()));
        EXPECT_EQ(Texture::liveTextures(), base + 1);
        first = t.GetID();
    }
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(Texture::liveTextures(), base);

    Texture empty;  // never loaded: holds nothing, releases nothing
    EXPECT_EQ(empty.texImageInfo.imageData, nullptr);
    EXPECT_EQ(Texture::liveTextures(), base);
}

// No window in this process, so the forked child is a plain single-threaded one.
TEST(TextureDeath, MissingImageEndsProcessWithStatusOne) {
    EXPECT_EXIT(
        {
            dup2(2, 1);  // the messages go to stdout; the death test watches stderr
            Texture t("tga/no_such_image.tga", 0);
        },
        testing::ExitedWithCode(1),
        "Attepting to open file: tga/no_such_image\\.tga\n"
        "Texture: Could not load image file tga/no_such_image\\.tga!!");
}
