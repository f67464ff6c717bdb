// Texture tests: upload format and size, exact texels, GL name lifetime (a missing file is run
// end to end by the program tests).
#include "Texture.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <memory>

namespace {
GLint levelParam(GLenum which) {
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &v);
    return v;
}

// Files whose bytes count up from 0; rows of the 24-bit one are 9 bytes, not 4-aligned.
const struct Case { int w, h, depth; GLint format; } RGBA = {4, 2, 32, GL_RGBA}, RGB = {3, 2, 24, GL_RGB};
std::vector<uint8_t> counting(const Case& c) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < c.w * c.h * c.depth / 8; ++i) bytes.push_back((uint8_t)i);
    return bytes;
}
std::string fileOf(const Case& c) {
    return tgatest::writeTga(tgatest::tempPath("t" + std::to_string(c.depth) + ".tga"), c.w, c.h,
                             c.depth, counting(c));
}
class TextureTest : public GLTest {};
}  // namespace

TEST_F(TextureTest, UploadsTheFilesPixelsInTheirFormatAtTheirSizeAndLeavesThemBound) {
    for (const Case& c : {RGBA, RGB}) {
        SCOPED_TRACE(c.depth);
        Texture t(fileOf(c).c_str(), 0);
        EXPECT_NE(t.GetID(), 0u);
        EXPECT_EQ((GLuint)testgl::getInt(GL_TEXTURE_BINDING_2D), t.GetID());
        EXPECT_EQ(levelParam(GL_TEXTURE_INTERNAL_FORMAT), c.format);
        EXPECT_EQ(levelParam(GL_TEXTURE_WIDTH), c.w);
        EXPECT_EQ(levelParam(GL_TEXTURE_HEIGHT), c.h);
        std::vector<uint8_t> want = counting(c), got(want.size(), 0);
        for (size_t i = 0; i < want.size(); i += c.depth / 8) std::swap(want[i], want[i + 2]);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, c.format, GL_UNSIGNED_BYTE, got.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        EXPECT_EQ(got, want) << "rows unsheared, red and blue in place";
        EXPECT_EQ(testgl::getInt(GL_UNPACK_ALIGNMENT), 4);  // GL's default, as the caller had it
    }
}

TEST_F(TextureTest, ReloadingDeletesTheEarlierNameAndDestructionTheLast) {
    auto t = std::make_unique<Texture>(fileOf(RGBA).c_str(), 0);
    GLuint first = t->GetID();
    t->Init(fileOf(RGB).c_str(), 0);
    EXPECT_FALSE(glIsTexture(first));
    GLuint second = t->GetID();
    ASSERT_TRUE(glIsTexture(second));
    t.reset();
    EXPECT_FALSE(glIsTexture(second));
}
