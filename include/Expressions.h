// Facial expressions a head can be asked to show; nothing is drawn differently for them yet.
#ifndef QORVEL_EXPRESSIONS_H
#define QORVEL_EXPRESSIONS_H

// Numbered 0 to 4 in this order.
enum Expression {
    EXPRESSION_NEUTRAL = 0,
    EXPRESSION_FROWN,
    EXPRESSION_SMILE,
    EXPRESSION_SURPRISE,
    EXPRESSION_SAD
};

#endif
