// Draws a set of particles as their own draws would, but in a few batches with their corners
// placed on the CPU. It rests on two rules of blending. The order of primitives does not show
// when each fragment only adds a term of its own to the pixel: the equation adds, the
// destination factor is one (destination alpha counts as one on a framebuffer without alpha)
// and the source factor does not read the framebuffer; then squares, streaks and dots may be
// grouped by kind and width. A transparent texel changes nothing when a fragment of alpha 0
// adds nothing and keeps the pixel (source factor zero and destination factor one at alpha 0),
// the texture's alpha reaches the fragment as it is (modulate or replace, no texture matrix,
// no generated coordinates, no mipmaps) and no logic op or stencil test has a say; then each
// square may be cut down to its sprite's outline. Where a rule does not hold, the particles'
// order and whole squares are kept.
#ifndef QORVEL_PARTICLEBATCH_H
#define QORVEL_PARTICLEBATCH_H

#include "Particle.h"
#include "SpriteOutline.h"

// Draws the live particles among the first `count` (none when count is not positive) with the
// texture already bound, leaving the GL state the last live particle's own draw leaves. Outside
// the model-view matrix mode each particle draws itself.
void drawParticleBatch(Particle* const* particles, int count, const SpriteOutline& outline);

#endif
