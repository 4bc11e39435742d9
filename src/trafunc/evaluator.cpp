// Implemented by the evaluator work.
