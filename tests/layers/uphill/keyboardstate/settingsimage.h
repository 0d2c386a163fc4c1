// The bottom layer.
