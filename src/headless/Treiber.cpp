// placeholder, replaced by the driver
