// Facial expressions a head can be asked to show; nothing is drawn differently for them yet.
#ifndef QORVEL_EXPRESSIONS_H
#define QORVEL_EXPRESSIONS_H

enum Expression {
    EXPRESSION_NEUTRAL = 0,
    EXPRESSION_FROWN = 1,
    EXPRESSION_SMILE = 2,
    EXPRESSION_SURPRISE = 3,
    EXPRESSION_SAD = 4
};

#endif
