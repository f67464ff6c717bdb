// Texture tests: upload format and size, exact texels, GL name lifetime (a missing file is run
// end to end by the program tests).
#include "Texture.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <memory>

using namespace tgatest;

namespace {
GLint levelParam(GLenum which) {
    GLint v = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &v);
    return v;
}

// A file of w x h pixels of the depth whose bytes count up from 0, and what GL should hold
// for it: the same bytes with red and blue swapped.
struct Image {
    int w, h, depth;
    GLint format;
    std::string path;
    std::vector<uint8_t> file, texels;
    Image(int w, int h, int depth, GLint format) : w(w), h(h), depth(depth), format(format) {
        for (int i = 0; i < w * h * depth / 8; ++i) file.push_back((uint8_t)i);
        texels = file;
        for (size_t i = 0; i < texels.size(); i += depth / 8) std::swap(texels[i], texels[i + 2]);
        path = writeTga(tempPath("t" + std::to_string(depth) + ".tga"), w, h, depth, file);
    }
};
const Image& rgba() {
    static const Image image(4, 2, 32, GL_RGBA);
    return image;
}
const Image& rgb() {
    static const Image image(3, 2, 24, GL_RGB);  // rows of 9 bytes: not 4-aligned
    return image;
}

std::vector<uint8_t> boundTexels(const Image& image) {
    std::vector<uint8_t> got(image.texels.size(), 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, image.format, GL_UNSIGNED_BYTE, got.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return got;
}

class TextureTest : public GLTest {};
}  // namespace

TEST_F(TextureTest, UploadsEachDepthInItsFormatAtItsSizeAndLeavesItBound) {
    for (const Image* image : {&rgba(), &rgb()}) {
        SCOPED_TRACE(image->depth);
        Texture t(image->path.c_str(), 0);
        EXPECT_NE(t.GetID(), 0u);
        EXPECT_EQ((GLuint)testgl::getInt(GL_TEXTURE_BINDING_2D), t.GetID());
        EXPECT_EQ(levelParam(GL_TEXTURE_INTERNAL_FORMAT), image->format);
        EXPECT_EQ(levelParam(GL_TEXTURE_WIDTH), image->w);
        EXPECT_EQ(levelParam(GL_TEXTURE_HEIGHT), image->h);
    }
}

TEST_F(TextureTest, TexelsAreTheFilesPixelsWithRowsUnsheared) {
    for (const Image* image : {&rgba(), &rgb()}) {
        Texture t(image->path.c_str(), 0);
        EXPECT_EQ(boundTexels(*image), image->texels) << image->depth;
    }
}

TEST_F(TextureTest, TheCallersUnpackAlignmentIsRestored) {
    Texture t(rgb().path.c_str(), 0);
    EXPECT_EQ(testgl::getInt(GL_UNPACK_ALIGNMENT), 4);  // GL's default, as the caller had it
}

TEST_F(TextureTest, ReloadingDeletesTheEarlierName) {
    Texture t(rgba().path.c_str(), 0);
    GLuint first = t.GetID();
    t.Init(rgb().path.c_str(), 0);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_TRUE(glIsTexture(t.GetID()));
}

TEST_F(TextureTest, DestructionDeletesTheName) {
    auto t = std::make_unique<Texture>(rgba().path.c_str(), 0);
    GLuint name = t->GetID();
    ASSERT_TRUE(glIsTexture(name));
    t.reset();
    EXPECT_FALSE(glIsTexture(name));
}

TEST_F(TextureTest, AnUnloadedTextureHoldsNoName) {
    Texture empty;
    EXPECT_EQ(empty.GetID(), 0u);
}
