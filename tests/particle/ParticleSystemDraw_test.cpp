// The batched system draw against the particles' own draws: same pixels, same GL state after.
#include "ParticleSystem.h"
#include "support/fakes.h"
#include "support/gl_context.h"
#include "support/tga_writer.h"

#include <GL/glu.h>

#include <cstdlib>

namespace {
float unit() { return std::rand() / (float)RAND_MAX; }

struct Set : ParticleSystem {
    explicit Set(const std::string& texturePath) { quietly([&] { setTexture(texturePath); }); }
    ~Set() override {
        for (int i = 0; i < numParticles; i++) delete myParticles[i];
    }
    // A particle of a random colour somewhere in view.
    Particle* add(Particle::particleType type, float size, QOR3dVector velocity = default3dVector) {
        QOR3dVector at(unit() * 3 - 1.5f, unit() * 3 - 1.5f, unit() * 2 - 1);
        QORColor colour = {unit(), unit(), unit(), 0.3f + 0.7f * unit()};
        return myParticles[numParticles++] =
                   new Particle(at, velocity, default3dVector, colour, type, true, 10, size, 1);
    }
    GLuint texture() { return myTexture.GetID(); }
};

// Everything the particle draws could leave changed, as one list of numbers.
std::vector<GLfloat> glState() {
    std::vector<GLfloat> s;
    const struct { GLenum what; int count; } values[] = {
        {GL_CULL_FACE, 1}, {GL_TEXTURE_2D, 1}, {GL_POINT_SMOOTH, 1}, {GL_LINE_SMOOTH, 1},
        {GL_DEPTH_WRITEMASK, 1}, {GL_CURRENT_COLOR, 4}, {GL_CURRENT_NORMAL, 3},
        {GL_CURRENT_TEXTURE_COORDS, 4}, {GL_LINE_WIDTH, 1}, {GL_POINT_SIZE, 1},
        {GL_MODELVIEW_MATRIX, 16}, {GL_MATRIX_MODE, 1}, {GL_MODELVIEW_STACK_DEPTH, 1},
        {GL_TEXTURE_BINDING_2D, 1}};
    for (const auto& v : values) {
        GLfloat got[16];
        glGetFloatv(v.what, got);
        s.insert(s.end(), got, got + v.count);
    }
    return s;
}

class SystemDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        // A 4x4 sprite whose shown 2x2 texels differ, so a flipped or rotated square shows; they
        // touch the left edge, so the repeating sprite's outline wraps to the right one, and the
        // clear top and bottom rows let the system cut its squares.
        std::vector<uint8_t> texels;
        for (int i = 0; i < 16; i++) {
            bool middle = i % 4 < 2 && (i / 4 == 1 || i / 4 == 2);
            texels.insert(texels.end(), {(uint8_t)(i * 16), (uint8_t)(255 - i * 12),
                                         (uint8_t)((i % 4) * 80), (uint8_t)(middle ? 128 + i * 8 : 0)});
        }
        texturePath = tgatest::writeTga(tgatest::tempPath("sprite.tga"), 4, 4, 32, texels);
        glMatrixMode(GL_PROJECTION);
        gluPerspective(40.0, 1.0, 1.0, 50.0);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
    }
    // Draws the set from the same odd starting state, one particle at a time or as a system;
    // returns the pixels and leaves the state after in `after`.
    std::vector<unsigned char> render(Set& set, bool batched, std::vector<GLfloat>& after) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, batched ? 0 : set.texture());  // a system binds its own
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.5f, 0.25f, 0.75f, 1.0f);
        glNormal3f(0.6f, 0.0f, 0.8f);
        glTexCoord2f(0.5f, 0.5f);
        glLineWidth(1.0f);
        glPointSize(1.0f);
        glPushMatrix();
        glTranslatef(0.3f, -0.2f, -7.0f);
        glRotatef(35.0f, 1.0f, 2.0f, 0.5f);
        glScalef(1.3f, 0.8f, 1.1f);
        for (int i = 0; !batched && i < set.getNumParticles(); i++) set.getParticle(i)->draw();
        if (batched) set.draw();
        after = glState();
        glPopMatrix();
        return testgl::readBack(0, 0, 800, 800);
    }
    // Expects both ways to give the same pixels and state; returns the number of lit pixels.
    // Rounding of the eye-space corners may move an edge pixel, and colours a unit or two.
    int expectSameDraws(Set& set) {
        std::vector<GLfloat> own, batched;
        std::vector<unsigned char> a = render(set, false, own), b = render(set, true, batched);
        EXPECT_LE(testgl::pixelsDiffering(a, b, 2), 20);
        EXPECT_EQ(own, batched) << "the GL state left after";
        return testgl::countPixels(a, [](const unsigned char* p) { return p[0] | p[1] | p[2]; });
    }
    // Every type, points and lines up to 6.5 pixels wide, some dead or empty, lit.
    void fillMixedSet(Set& set) {
        std::srand(11);
        for (int i = 0; i < 120; i++)
            set.add((Particle::particleType)(i % 6), 0.5f + 6.0f * unit() * (i % 6 < 2),
                    QOR3dVector(unit() - 0.5f, unit(), 0.3f));
        set.getParticle(7)->setAlive(false);
        set.add(Particle::PARTICLE_POINT, 0.0f);  // draws nothing
        set.add(Particle::PARTICLE_TRIANGLE_STRIP, 0.4f);
        set.add(Particle::PARTICLE_POINT, 3.0f)->setAlive(false);  // the live one before decides
        const GLfloat lightDir[] = {0.3f, 0.5f, 1.0f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, lightDir);
        glEnable(GL_LIGHT0);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_LIGHTING);
        glEnable(GL_BLEND);
    }
    std::string texturePath;
};
}  // namespace

// The scene's blend is order-free on this framebuffer without alpha, so the system regroups;
// the usual blend depends on order, so the batches keep it, lit with the billboards' own
// normals, unscaled.
TEST_F(SystemDrawTest, BatchesUnderEitherBlendMatchTheParticlesOwnDraws) {
    const struct { const char* what; GLenum destination; bool normalize; } blends[] = {
        {"order-free", GL_DST_ALPHA, true}, {"order-dependent", GL_ONE_MINUS_SRC_ALPHA, false}};
    for (const auto& b : blends) {
        SCOPED_TRACE(b.what);
        Set set(texturePath);
        ASSERT_FALSE(set.getOutline().isFullSquare()) << "the sprite has nothing to cut";
        fillMixedSet(set);
        b.normalize ? glEnable(GL_NORMALIZE) : glDisable(GL_NORMALIZE);
        glBlendFunc(GL_SRC_ALPHA, b.destination);
        EXPECT_GT(expectSameDraws(set), 5000);
    }
}

